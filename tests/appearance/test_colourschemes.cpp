#include "appearance/colourschemes.h"
#include "appearance/colormath.h"
#include "core/settings.h"

#include <QFile>
#include <QTest>

namespace {

// The roles of "System Inherited", as the test's palette gives them.
QPalette testPalette()
{
    QPalette palette;
    palette.setColor(QPalette::Base, QColor(1, 2, 3));
    palette.setColor(QPalette::Text, QColor(4, 5, 6));
    palette.setColor(QPalette::Button, QColor(7, 8, 9));
    palette.setColor(QPalette::Light, QColor(10, 11, 12));
    palette.setColor(QPalette::Shadow, QColor(13, 14, 15));
    palette.setColor(QPalette::Mid, QColor(16, 17, 18));
    return palette;
}

int cellValue(const QString &cell)
{
    static const QHash<QString, QColor> roles{
        {QStringLiteral("COLOR_WINDOW"), QColor(1, 2, 3)},       {QStringLiteral("COLOR_WINDOWTEXT"), QColor(4, 5, 6)},
        {QStringLiteral("COLOR_BTNFACE"), QColor(7, 8, 9)},      {QStringLiteral("COLOR_BTNHIGHLIGHT"), QColor(10, 11, 12)},
        {QStringLiteral("COLOR_3DDKSHADOW"), QColor(13, 14, 15)}, {QStringLiteral("COLOR_APPWORKSPACE"), QColor(16, 17, 18)},
    };
    if (cell == QLatin1String("none"))
        return ColorMath::NoGlyphColour;
    if (roles.contains(cell))
        return ColorMath::colourRef(roles.value(cell));
    const QStringList rgb = cell.split(QLatin1Char(','));
    if (rgb.size() == 3)
        return ColorMath::colourRef(QColor(rgb[0].toInt(), rgb[1].toInt(), rgb[2].toInt()));
    return cell.toInt();
}

} // namespace

Q_DECLARE_METATYPE(AppearanceValues)

// The built-in schemes against the table of the program's documentation
// (tests/data/appearance/schemes.txt), and the order of the sixteen values.
class TestColourSchemes : public QObject
{
    Q_OBJECT

private slots:
    void schemes_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<AppearanceValues>("expected");
        QFile table(QStringLiteral(VORLAN_TEST_DATA "/appearance/schemes.txt"));
        QVERIFY(table.open(QIODevice::ReadOnly | QIODevice::Text));
        int rows = 0;
        while (!table.atEnd()) {
            const QString line = QString::fromUtf8(table.readLine()).trimmed();
            if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
                continue;
            QStringList cells = line.split(QLatin1Char('|'));
            for (QString &cell : cells)
                cell = cell.trimmed();
            QCOMPARE(cells.size(), 17);
            const QString name = cells.takeFirst().remove(QLatin1Char('"'));
            AppearanceValues values{};
            for (int i = 0; i < 16; ++i)
                values[size_t(i)] = cellValue(cells[i]);
            QTest::newRow(qPrintable(name)) << name << values;
            ++rows;
        }
        QCOMPARE(rows, 19);
    }
    void schemes()
    {
        QFETCH(QString, name);
        QFETCH(AppearanceValues, expected);
        QVERIFY(ColourSchemes::isScheme(name));
        AppearanceValues values{};
        QVERIFY(ColourSchemes::values(name, testPalette(), &values));
        for (int i = 0; i < 16; ++i)
            QVERIFY2(values[size_t(i)] == expected[size_t(i)],
                     qPrintable(QStringLiteral("value %1: %2, expected %3").arg(i + 1).arg(values[size_t(i)]).arg(expected[size_t(i)])));
        // Applied, the settings hold exactly those values.
        Settings settings;
        QVERIFY(ColourSchemes::apply(name, settings, testPalette()));
        QVERIFY(ColourSchemes::valuesOf(settings) == expected);
    }

    void listOrderAndNames()
    {
        const QStringList names = ColourSchemes::names();
        QCOMPARE(names.size(), 19);
        QCOMPARE(names.first(), QStringLiteral("System Default"));
        QCOMPARE(names.last(), QStringLiteral("XP Silver (dark)"));
        QVERIFY(!ColourSchemes::isScheme(QStringLiteral("system default")));
        QVERIFY(!ColourSchemes::isScheme(QStringLiteral("..Save me..")));
    }

    void unknownSchemeChangesNothing()
    {
        Settings settings;
        settings.mainColor = 42;
        QVERIFY(!ColourSchemes::apply(QStringLiteral("XP Green"), settings));
        QCOMPARE(settings.mainColor, 42);
        AppearanceValues untouched{};
        untouched.fill(7);
        AppearanceValues values = untouched;
        QVERIFY(!ColourSchemes::values(QString(), QPalette(), &values));
        QVERIFY(values == untouched);
    }

    // The settings' own defaults are the "System Default" scheme.
    void defaultsAreSystemDefault()
    {
        AppearanceValues scheme{};
        QVERIFY(ColourSchemes::values(QStringLiteral("System Default"), QPalette(), &scheme));
        QVERIFY(ColourSchemes::valuesOf(Settings()) == scheme);
    }

    // Each value lands in its own setting: line 8 is the glyph colour and
    // line 9 its border, the reverse of the settings store's order.
    void valuesReachTheirSettings()
    {
        AppearanceValues values{};
        for (int i = 0; i < 16; ++i)
            values[size_t(i)] = 100 + i;
        Settings s;
        ColourSchemes::setValues(s, values);
        QCOMPARE(s.addressBarBevel, 100);
        QCOMPARE(s.buttonBarPosition, 101);
        QCOMPARE(s.buttonGlyphStyle, 102);
        QCOMPARE(s.activeBrowserBorderColor, 103);
        QCOMPARE(s.addressBarColor, 104);
        QCOMPARE(s.addressBarFontColor, 105);
        QCOMPARE(s.buttonColor, 106);
        QCOMPARE(s.buttonGlyphColor, 107);
        QCOMPARE(s.buttonGlyphBorderColor, 108);
        QCOMPARE(s.cornerFontColor, 109);
        QCOMPARE(s.cornerFontShadowColor, 110);
        QCOMPARE(s.gridBackgroundColor, 111);
        QCOMPARE(s.mainColor, 112);
        QCOMPARE(s.statusBarColor, 113);
        QCOMPARE(s.statusBarFontColor, 114);
        QCOMPARE(s.statusBarFontShadowColor, 115);
        QVERIFY(ColourSchemes::valuesOf(s) == values);
    }

    void colourObjects()
    {
        const QStringList objects = ColourSchemes::colourObjects();
        QCOMPARE(objects.size(), 13);
        QCOMPARE(objects.at(0), QStringLiteral("Active browser border"));
        QCOMPARE(objects.at(4), QStringLiteral("Button glyph"));
        QCOMPARE(objects.at(5), QStringLiteral("Button glyph border"));
        QCOMPARE(objects.at(12), QStringLiteral("Status Bar font shadow"));
    }
};

QTEST_MAIN(TestColourSchemes)
#include "test_colourschemes.moc"
