#include "appearance/aestheticseditor.h"
#include "appearance/colourschemes.h"
#include "core/settings.h"
#include "support/scriptedprompter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

// An editor over a data folder of the test's own, counting repaints.
struct Editor
{
    QTemporaryDir dir;
    Settings settings;
    ScriptedPrompter prompter;
    int appearances = 0, colours = 0;
    bool applyFails = false;
    AestheticsEditor editor{settings, prompter, dir.path() + QLatin1Char('/'),
                            AestheticsEditor::Actions{[this] { ++appearances; return !applyFails; },
                                                      [this] { ++colours; return !applyFails; }, nullptr}};

    QString profilePath(const QString &name) const
    {
        return dir.filePath(QStringLiteral("Aesthetic Profiles/") + name + QStringLiteral(".acp"));
    }
    AppearanceValues values() const { return ColourSchemes::valuesOf(settings); }
    AppearanceValues scheme(const QString &name) const
    {
        AppearanceValues v{};
        ColourSchemes::values(name, QPalette(), &v);
        return v;
    }
    // The user picks a colour for an object, which leaves the values unsaved.
    void edit(int object, const QColor &colour)
    {
        editor.selectColourObject(object);
        editor.selectColour(colour);
    }
};

} // namespace

// The options page "Aesthetics": the colour editor and the profile box.
class TestAestheticsEditor : public QObject
{
    Q_OBJECT

private slots:
    void pickingAColour()
    {
        Editor e;
        QVERIFY(e.editor.populateProfileList());
        QCOMPARE(e.editor.profileList().size(), 19);
        e.editor.selectColourObject(9); // "Main"
        QCOMPARE(e.editor.shownColour(), QColor(212, 208, 200));
        e.editor.selectColour(QColor(10, 20, 30));
        QCOMPARE(e.settings.mainColor, 10 + 256 * 20 + 65536 * 30);
        QCOMPARE(e.editor.profileText(), QStringLiteral("..Save me.."));
        QVERIFY(e.editor.isModified());
        QCOMPARE(e.colours, 1);
        // A colour given in another colour model is stored as plain RGB.
        e.editor.selectColour(QColor::fromHsv(0, 255, 255));
        QCOMPARE(e.settings.mainColor, 255);
        // "Button glyph" of none shows no colour.
        e.editor.selectColourObject(4);
        QVERIFY(!e.editor.shownColour().isValid());
    }

    void colourWithNoObjectChosenChangesNothing()
    {
        Editor e;
        e.editor.populateProfileList();
        const AppearanceValues before = e.values();
        e.editor.selectColour(QColor(1, 2, 3));
        QVERIFY(e.values() == before);
        QVERIFY(e.editor.isModified());
        // An index the box does not hold is no object.
        e.editor.selectColourObject(13);
        QCOMPARE(e.editor.colourObject(), -1);
    }

    void choosingASchemeAppliesIt()
    {
        Editor e;
        e.editor.populateProfileList();
        QSignalSpy deselected(&e.editor, &AestheticsEditor::featuresDeselected);
        e.editor.selectProfile(QStringLiteral("  XP Blue\t"));
        QVERIFY(e.values() == e.scheme(QStringLiteral("XP Blue")));
        QCOMPARE(e.appearances, 1);
        QCOMPARE(deselected.size(), 1);
        QVERIFY(e.prompter.shown.isEmpty());
    }

    void discardingChanges_data()
    {
        QTest::addColumn<bool>("ok");
        QTest::newRow("OK") << true;
        QTest::newRow("Cancel") << false;
    }
    void discardingChanges()
    {
        QFETCH(bool, ok);
        Editor e;
        e.editor.populateProfileList();
        e.edit(0, QColor(0, 255, 0));
        const AppearanceValues edited = e.values();
        e.prompter.answers = {ok};
        e.editor.selectProfile(QStringLiteral("2k Storm"));
        QCOMPARE(e.prompter.texts(), QStringList{QStringLiteral("Disgard profile changes?")});
        if (ok) {
            QVERIFY(e.values() == e.scheme(QStringLiteral("2k Storm")));
            QVERIFY(!e.editor.isModified());
            QCOMPARE(e.appearances, 1);
        } else {
            QVERIFY(e.values() == edited);
            QVERIFY(e.editor.isModified());
            QCOMPARE(e.editor.profileText(), QStringLiteral("..Save me.."));
            QCOMPARE(e.appearances, 0);
        }
    }

    void savingAndLoadingAProfile()
    {
        Editor e;
        e.editor.populateProfileList();
        e.edit(9, QColor(10, 20, 30));
        e.editor.setProfileText(QStringLiteral(" Night "));
        e.editor.enterPressed();
        QVERIFY(e.prompter.shown.isEmpty());
        QVERIFY(QFile::exists(e.profilePath(QStringLiteral("Night"))));
        QVERIFY(e.editor.profileList().contains(QStringLiteral("Night")));
        QVERIFY(!e.editor.isModified());
        const AppearanceValues saved = e.values();
        // Another scheme, then the profile again.
        e.editor.selectProfile(QStringLiteral("2k Lilac"));
        QVERIFY(e.values() != saved);
        e.editor.selectProfile(QStringLiteral("Night"));
        QVERIFY(e.values() == saved);
        QCOMPARE(e.editor.profileText(), QStringLiteral("Night"));
    }

    void savingRefused_data()
    {
        QTest::addColumn<bool>("modified");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        const QString taken = QStringLiteral("Check profile name, it may exists.");
        QTest::newRow("not modified") << false << QStringLiteral("Night") << taken;
        QTest::newRow("scheme") << true << QStringLiteral("XP Blue") << taken;
        QTest::newRow("save me") << true << QStringLiteral("..Save me..") << taken;
        QTest::newRow("blank") << true << QStringLiteral("   ") << taken;
        QTest::newRow("path") << true << QStringLiteral("../../x")
                              << QStringLiteral("A profile name cannot hold \"/\", \"\\\" or control characters, nor "
                                                "be \".\" or \"..\".");
    }
    void savingRefused()
    {
        QFETCH(bool, modified);
        QFETCH(QString, name);
        QFETCH(QString, message);
        Editor e;
        e.editor.populateProfileList();
        if (modified)
            e.edit(1, QColor(1, 1, 1));
        e.editor.setProfileText(name);
        e.editor.saveProfile();
        QCOMPARE(e.prompter.texts(), QStringList{message});
        QVERIFY(!QDir(e.dir.filePath(QStringLiteral("Aesthetic Profiles"))).exists()
                || QDir(e.dir.filePath(QStringLiteral("Aesthetic Profiles"))).isEmpty());
        QVERIFY(!QFile::exists(e.dir.filePath(QStringLiteral("x.acp"))));
    }

    // A profile that cannot be written says why, and the list is not refilled.
    void failedSaveNamesItsCause()
    {
        Editor e;
        e.editor.populateProfileList();
        e.edit(9, QColor(1, 2, 3));
        QVERIFY(QDir().mkpath(e.profilePath(QStringLiteral("Night"))));
        e.editor.setProfileText(QStringLiteral("Night"));
        e.editor.saveProfile();
        QCOMPARE(e.prompter.texts(),
                 QStringList{"Could not save the profile file: a folder has that name. Nothing was written."});
        QVERIFY(QFileInfo(e.profilePath(QStringLiteral("Night"))).isDir());
    }

    void enterWhileNotModifiedDoesNothing()
    {
        Editor e;
        e.editor.populateProfileList();
        e.editor.setProfileText(QStringLiteral("Night"));
        e.editor.enterPressed();
        QVERIFY(e.prompter.shown.isEmpty());
        QVERIFY(!QFile::exists(e.profilePath(QStringLiteral("Night"))));
    }

    void savingOverAProfileReplacesIt()
    {
        Editor e;
        e.editor.populateProfileList();
        e.edit(9, QColor(1, 2, 3));
        e.editor.setProfileText(QStringLiteral("Night"));
        e.editor.saveProfile();
        e.edit(9, QColor(4, 5, 6));
        e.editor.setProfileText(QStringLiteral("Night"));
        e.editor.saveProfile();
        QVERIFY(e.prompter.shown.isEmpty());
        e.settings.mainColor = 0;
        e.editor.selectProfile(QStringLiteral("Night"));
        QCOMPARE(e.settings.mainColor, 4 + 256 * 5 + 65536 * 6);
        QCOMPARE(e.editor.profileList().count(QStringLiteral("Night")), 1);
    }

    void damagedProfileChangesNothing()
    {
        Editor e;
        QDir().mkpath(e.dir.filePath(QStringLiteral("Aesthetic Profiles")));
        QFile file(e.profilePath(QStringLiteral("Broken")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("1\r\n").repeated(8) + "blue\r\n" + QByteArray("1\r\n").repeated(7));
        file.close();
        e.editor.populateProfileList();
        const AppearanceValues before = e.values();
        e.editor.selectProfile(QStringLiteral("Broken"));
        QVERIFY(e.values() == before);
        QCOMPARE(e.prompter.shown.size(), 1);
        QCOMPARE(e.prompter.shown.first().kind, ScriptedPrompter::Kind::Plain);
        QCOMPARE(e.prompter.shown.first().text, QStringLiteral("Could not open the profile file."));
        QVERIFY(e.editor.profileText().isEmpty());
        QVERIFY(QFile::exists(e.profilePath(QStringLiteral("Broken"))));
    }

    void deleting_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("ok");
        QTest::newRow("profile") << QStringLiteral("Night") << true;
        QTest::newRow("profile, cancelled") << QStringLiteral("Night") << false;
        // A name with no file still resets the look.
        QTest::newRow("scheme") << QStringLiteral("2k Rose") << true;
    }
    void deleting()
    {
        QFETCH(QString, name);
        QFETCH(bool, ok);
        Editor e;
        e.editor.populateProfileList();
        e.edit(9, QColor(1, 2, 3));
        e.editor.setProfileText(QStringLiteral("Night"));
        e.editor.saveProfile();
        e.editor.selectProfile(QStringLiteral("2k Plum"));
        const int applied = e.appearances;
        e.editor.setProfileText(name);
        e.prompter.answers = {ok};
        e.editor.deleteProfile();
        QCOMPARE(e.prompter.texts(), QStringList{QStringLiteral("Delete selected profile?")});
        if (!ok) {
            QVERIFY(QFile::exists(e.profilePath(QStringLiteral("Night"))));
            QVERIFY(e.values() == e.scheme(QStringLiteral("2k Plum")));
            return;
        }
        QCOMPARE(QFile::exists(e.profilePath(QStringLiteral("Night"))), name != QLatin1String("Night"));
        QVERIFY(e.values() == e.scheme(QStringLiteral("System Default")));
        QCOMPARE(e.editor.profileList().contains(QStringLiteral("Night")), name != QLatin1String("Night"));
        QCOMPARE(e.appearances, applied + 1);
    }

    void deletingNothingAsksNothing()
    {
        Editor e;
        for (const QString &name : {QString(), QStringLiteral(" "), QStringLiteral("..Save me..")}) {
            e.editor.setProfileText(name);
            e.editor.deleteProfile();
        }
        QVERIFY(e.prompter.shown.isEmpty());
    }

    void failedDeleteResetsTheBox()
    {
        Editor e;
        // A folder where the file would be cannot be deleted as a file.
        QVERIFY(QDir().mkpath(e.profilePath(QStringLiteral("Stuck"))));
        QVERIFY(QDir().mkpath(e.profilePath(QStringLiteral("Stuck")) + QStringLiteral("/inside")));
        e.editor.populateProfileList();
        e.edit(9, QColor(1, 2, 3));
        e.editor.setProfileText(QStringLiteral("Stuck"));
        e.editor.deleteProfile();
        QCOMPARE(e.prompter.texts(), (QStringList{QStringLiteral("Delete selected profile?"),
                                                  QStringLiteral("Could not delete the selected profile.")}));
        QVERIFY(e.values() == e.scheme(QStringLiteral("System Default")));
        QVERIFY(e.editor.profileText().isEmpty());
        QVERIFY(!e.editor.isModified());
    }

    void failedRepaintIsReported()
    {
        Editor e;
        e.applyFails = true;
        e.editor.selectProfile(QStringLiteral("XP Olive"));
        QCOMPARE(e.prompter.texts(), QStringList{QStringLiteral("Could not reset program options.")});
    }
};

QTEST_MAIN(TestAestheticsEditor)
#include "test_aestheticseditor.moc"
