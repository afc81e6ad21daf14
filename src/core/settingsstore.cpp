#include "app/settingsstore.h"

#include "app/damagedfile.h"
#include "app/inifile.h"

#include <QColor>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QStandardPaths>

#include <variant>

QColor settingsColor(int value)
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

namespace {
enum class Computed { None, Top, Left, MinDate, MaxDate };
const QString MainWindow = QStringLiteral("Main Window");
const QString Browsers = QStringLiteral("Options/Browsers");
const QString Aesthetics = QStringLiteral("Options/Aesthetics");
const QString DX = QStringLiteral("Options/DX");
const QString General = QStringLiteral("Options/General");
} // namespace

struct SettingsStore::Entry
{
    QString section;
    QString name;
    std::variant<int Settings::*, QString Settings::*, int> field; // int: DX button number
    QString fixedDefault;
    Computed computed = Computed::None;
};

const QList<SettingsStore::Entry> &SettingsStore::entries()
{
    static const QList<Entry> table = [] {
        QList<Entry> t = {
            {MainWindow, "height", &Settings::height, "600"},
            {MainWindow, "width", &Settings::width, "915"},
            {MainWindow, "top", &Settings::top, {}, Computed::Top},
            {MainWindow, "left", &Settings::left, {}, Computed::Left},

            {Browsers, "browser height", &Settings::browserHeight, "460"},
            {Browsers, "browser width", &Settings::browserWidth, "720"},
            {Browsers, "auto size", &Settings::autoSize, "1"},
            {Browsers, "background processes", &Settings::backgroundProcesses, "1"},
            {Browsers, "history retention", &Settings::historyRetention, "0"},
            {Browsers, "history min date", &Settings::historyMinDate, {}, Computed::MinDate},
            {Browsers, "history max date", &Settings::historyMaxDate, {}, Computed::MaxDate},
            {Browsers, "pop up browser", &Settings::popUpBrowser, "0"},
            {Browsers, "scanner refresh interval", &Settings::scannerRefreshInterval, "4"},
            {Browsers, "scanner speed", &Settings::scannerSpeed, "0"},
            {Browsers, "search engine address", &Settings::searchEngineAddress, Settings().searchEngineAddress},
            {Browsers, "stop button", &Settings::stopButton, "1"},

            {Aesthetics, "active browser border color", &Settings::activeBrowserBorderColor, "255"},
            {Aesthetics, "address bar color", &Settings::addressBarColor, "16777215"},
            {Aesthetics, "address bar font color", &Settings::addressBarFontColor, "6582129"},
            {Aesthetics, "button color", &Settings::buttonColor, "13160660"},
            {Aesthetics, "button glyph color", &Settings::buttonGlyphColor, "536870911"},
            {Aesthetics, "button glyph border color", &Settings::buttonGlyphBorderColor, "8421504"},
            {Aesthetics, "corner font color", &Settings::cornerFontColor, "15000804"},
            {Aesthetics, "corner font shadow color", &Settings::cornerFontShadowColor, "5855577"},
            {Aesthetics, "grid background color", &Settings::gridBackgroundColor, "8421504"},
            {Aesthetics, "main color", &Settings::mainColor, "13160660"},
            {Aesthetics, "status bar color", &Settings::statusBarColor, "5197647"},
            {Aesthetics, "status bar font color", &Settings::statusBarFontColor, "16251385"},
            {Aesthetics, "status bar font shadow color", &Settings::statusBarFontShadowColor, "4539717"},
            {Aesthetics, "address bar bevel", &Settings::addressBarBevel, "1"},
            {Aesthetics, "button bar position", &Settings::buttonBarPosition, "0"},
            {Aesthetics, "button glyph style", &Settings::buttonGlyphStyle, "1"},
            {Aesthetics, "grid background image", &Settings::gridBackgroundImage, "0"},
            {Aesthetics, "grid background image size", &Settings::gridBackgroundImageSize, "0"},

            {DX, "enabled", &Settings::dxEnabled, "0"},
            {DX, "id", &Settings::dxId, "0"},
            {DX, "browser pixels", &Settings::dxBrowserPixels, "5"},
            {DX, "grid pixels", &Settings::dxGridPixels, "22"},
            {DX, "user prompts", &Settings::dxUserPrompts, "1"},
            {DX, "grid crosshairs", &Settings::dxGridCrosshairs, "1"},
        };
        const Settings defaults;
        for (int button = 2; button <= 16; ++button)
            t.append({DX, QStringLiteral("button %1").arg(button), button,
                      QString::number(defaults.dxButtons[button])});
        t += QList<Entry>{
            {General, "custom button path", &Settings::customButtonPath, ""},
            {General, "custom button hint", &Settings::customButtonHint, "Undefined"},
            {General, "custom button glyph", &Settings::customButtonGlyph, "-1"},
            {General, "application hints", &Settings::applicationHints, "0"},
            {General, "corner hints", &Settings::cornerHints, "1"},
            {General, "window size", &Settings::windowSize, "1"},
            {General, "address manager queue delay", &Settings::addressManagerQueueDelay, "4"},
            {General, "address manager queue open type", &Settings::addressManagerQueueOpenType, "0"},
            {General, "address manager favorites auto collapse and expand", &Settings::favoritesAutoCollapse, "0"},
            {General, "address manager imports auto collapse and expand", &Settings::importsAutoCollapse, "0"},
            {General, "nav grid last position", &Settings::navGridLastPosition, "6"},
            {General, "nav grid hint lock", &Settings::navGridHintLock, "1"},
            {General, "nav grid hint height", &Settings::navGridHintHeight, "153"},
            {General, "nav grid hint width", &Settings::navGridHintWidth, "241"},
        };
        return t;
    }();
    return table;
}

SettingsStore::SettingsStore(QString filePath, QRect workArea, QDate today)
    : m_filePath(std::move(filePath)), m_workArea(workArea), m_today(today)
{
}

QString SettingsStore::defaultFilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
           + QStringLiteral("/Halvane/Vorlan.conf");
}

QStringList SettingsStore::sectionNames()
{
    return {MainWindow, Browsers, Aesthetics, DX, General};
}

bool SettingsStore::parseInteger(const QString &text, int &value)
{
    if (text.isEmpty())
        return false;
    qsizetype i = 0;
    if (text[0] == QLatin1Char('-') || text[0] == QLatin1Char('+'))
        i = 1;
    if (i == text.size())
        return false;
    for (qsizetype k = i; k < text.size(); ++k)
        if (text[k] < QLatin1Char('0') || text[k] > QLatin1Char('9'))
            return false;
    bool ok = false;
    const qlonglong wide = text.toLongLong(&ok);
    if (!ok || wide < std::numeric_limits<int>::min() || wide > std::numeric_limits<int>::max())
        return false;
    value = int(wide);
    return true;
}

QString SettingsStore::defaultText(const Entry &entry) const
{
    const QLocale locale = QLocale::system();
    switch (entry.computed) {
    case Computed::Top:
        return QString::number(m_workArea.height() / 2 - 300);
    case Computed::Left:
        return QString::number(m_workArea.width() / 2 - 458);
    case Computed::MinDate:
        return locale.toString(m_today, QLocale::ShortFormat);
    case Computed::MaxDate:
        // addMonths clamps the day to the length of the next month.
        return locale.toString(m_today.addMonths(1), QLocale::ShortFormat);
    case Computed::None:
        break;
    }
    return entry.fixedDefault;
}

bool SettingsStore::readAll(const IniFile &ini, Settings &settings) const
{
    for (const Entry &entry : entries()) {
        const QString text = ini.value(entry.section, entry.name);
        if (auto textField = std::get_if<QString Settings::*>(&entry.field)) {
            settings.*(*textField) = text;
            continue;
        }
        int number = 0;
        if (!parseInteger(text, number))
            return false;
        if (auto intField = std::get_if<int Settings::*>(&entry.field))
            settings.*(*intField) = number;
        else
            settings.dxButtons[std::get<int>(entry.field)] = number;
    }
    return true;
}

void SettingsStore::checkWindow(Settings &s) const
{
    if (s.width < 300 || s.height < 300 || s.top < 0 || s.left < 0
        || m_workArea.height() < s.top + 300 || m_workArea.width() < s.left + 458) {
        s.width = 915;
        s.height = 600;
        s.top = m_workArea.height() / 2 - 300;
        s.left = m_workArea.width() / 2 - 458;
    }
}

bool SettingsStore::load(Settings &settings)
{
    QDir().mkpath(QFileInfo(m_filePath).absolutePath());
    IniFile ini;
    bool usable = ini.read(m_filePath) != IniFile::ReadResult::Unreadable;
    if (usable) {
        // Defaults pass: every missing or empty value gets its default.
        bool added = false;
        for (const Entry &entry : entries()) {
            if (ini.value(entry.section, entry.name).isEmpty()) {
                const QString text = defaultText(entry);
                if (!ini.contains(entry.section, entry.name) || !text.isEmpty()) {
                    ini.setValue(entry.section, entry.name, text);
                    added = true;
                }
            }
        }
        if (added)
            usable = ini.write(m_filePath);
        usable = usable && readAll(ini, settings);
    }
    if (usable) {
        checkWindow(settings);
        return true;
    }

    // Reset: every value of every section back to its default. The old file
    // is kept beside the new one rather than overwritten.
    if (QFileInfo::exists(m_filePath))
        DamagedFile::moveAside(m_filePath);
    IniFile fresh;
    for (const Entry &entry : entries())
        fresh.setValue(entry.section, entry.name, defaultText(entry));
    if (!fresh.write(m_filePath) || !readAll(fresh, settings))
        return false;
    checkWindow(settings);
    return true;
}

bool SettingsStore::save(const Settings &settings) const
{
    IniFile ini;
    for (const Entry &entry : entries()) {
        QString text;
        if (auto textField = std::get_if<QString Settings::*>(&entry.field))
            text = settings.*(*textField);
        else if (auto intField = std::get_if<int Settings::*>(&entry.field))
            text = QString::number(settings.*(*intField));
        else
            text = QString::number(settings.dxButtons[std::get<int>(entry.field)]);
        ini.setValue(entry.section, entry.name, text);
    }
    QDir().mkpath(QFileInfo(m_filePath).absolutePath());
    return ini.write(m_filePath);
}
