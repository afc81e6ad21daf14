#include "appearance/skinimages.h"
#include "appearance/skinnedpanelook.h"
#include "core/settings.h"

#include <QTest>

// The pane look served from the settings and the skin.
class TestSkinnedPaneLook : public QObject
{
    Q_OBJECT

private slots:
    void coloursFollowTheSettings()
    {
        Settings settings;
        SkinImages skin;
        SkinnedPaneLook look(settings, skin);
        QCOMPARE(look.colours().activeBorder, QColor(255, 0, 0));
        // A changed scheme shows the next time a pane asks.
        settings.activeBrowserBorderColor = 0x123456; // blue 0x12, green 0x34, red 0x56
        settings.gridBackgroundColor = 65280;
        QCOMPARE(look.colours().activeBorder, QColor(0x56, 0x34, 0x12));
        QCOMPARE(look.colours().gridBackground, QColor(0, 255, 0));
    }

    void glyphsByStyle_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<bool>("glyph");
        QTest::newRow("bevel") << 0 << true;
        QTest::newRow("colour") << 1 << true;
        QTest::newRow("none") << 2 << false;
    }
    void glyphsByStyle()
    {
        QFETCH(int, style);
        QFETCH(bool, glyph);
        Settings settings;
        settings.buttonGlyphStyle = style;
        SkinImages skin;
        SkinnedPaneLook look(settings, skin);
        const PaneButtonSkin select = look.buttonSkin(false, false);
        const PaneButtonSkin zoom = look.buttonSkin(true, true);
        QCOMPARE(select.idle.size(), QSize(44, 22));
        QCOMPARE(select.down.size(), QSize(44, 22));
        QVERIFY(select.idle != select.down);
        QCOMPARE(!select.glyph.isNull(), glyph);
        QCOMPARE(!zoom.glyph.isNull(), glyph);
        if (glyph)
            QVERIFY(select.glyph != zoom.glyph);
    }

    void pictures()
    {
        Settings settings;
        SkinImages skin;
        SkinnedPaneLook look(settings, skin);
        QCOMPARE(look.picture(PanePicture::SecurityOn), skin.picture(SkinPicture::SecurityOn));
        QCOMPARE(look.picture(PanePicture::Busy).size(), QSize(32, 32));
        QVERIFY(look.picture(PanePicture::MoveTabGray) != look.picture(PanePicture::MoveTabColor));
    }
};

QTEST_MAIN(TestSkinnedPaneLook)
#include "test_skinnedpanelook.moc"
