#include "core/settingsstore.h"

#include "core/damagedfile.h"
#include "core/inifile.h"
#include "core/prompter.h"
#include "core/windowgeometry.h"

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
// The choices the program offers beyond its classic pages.
const QString Extras = QStringLiteral("Options/Extras");
} // namespace

struct SettingsStore::Entry
{
    QString section;
    QString name;
    std::variant<int Settings::*, QString Settings::*, int> field; // int: DX button number
    Computed computed = Computed::None;
};

const QList<SettingsStore::Entry> &SettingsStore::entries()
{
    static const QList<Entry> table = [] {
        QList<Entry> t = {
            {MainWindow, "height", &Settings::height},
            {MainWindow, "width", &Settings::width},
            {MainWindow, "top", &Settings::top, Computed::Top},
            {MainWindow, "left", &Settings::left, Computed::Left},

            {Browsers, "browser height", &Settings::browserHeight},
            {Browsers, "browser width", &Settings::browserWidth},
            {Browsers, "auto size", &Settings::autoSize},
            {Browsers, "background processes", &Settings::backgroundProcesses},
            {Browsers, "history retention", &Settings::historyRetention},
            {Browsers, "history min date", &Settings::historyMinDate, Computed::MinDate},
            {Browsers, "history max date", &Settings::historyMaxDate, Computed::MaxDate},
            {Browsers, "pop up browser", &Settings::popUpBrowser},
            {Browsers, "scanner refresh interval", &Settings::scannerRefreshInterval},
            {Browsers, "scanner speed", &Settings::scannerSpeed},
            {Browsers, "search engine address", &Settings::searchEngineAddress},
            {Browsers, "stop button", &Settings::stopButton},

            {Aesthetics, "active browser border color", &Settings::activeBrowserBorderColor},
            {Aesthetics, "address bar color", &Settings::addressBarColor},
            {Aesthetics, "address bar font color", &Settings::addressBarFontColor},
            {Aesthetics, "button color", &Settings::buttonColor},
            {Aesthetics, "button glyph color", &Settings::buttonGlyphColor},
            {Aesthetics, "button glyph border color", &Settings::buttonGlyphBorderColor},
            {Aesthetics, "corner font color", &Settings::cornerFontColor},
            {Aesthetics, "corner font shadow color", &Settings::cornerFontShadowColor},
            {Aesthetics, "grid background color", &Settings::gridBackgroundColor},
            {Aesthetics, "main color", &Settings::mainColor},
            {Aesthetics, "status bar color", &Settings::statusBarColor},
            {Aesthetics, "status bar font color", &Settings::statusBarFontColor},
            {Aesthetics, "status bar font shadow color", &Settings::statusBarFontShadowColor},
            {Aesthetics, "address bar bevel", &Settings::addressBarBevel},
            {Aesthetics, "button bar position", &Settings::buttonBarPosition},
            {Aesthetics, "button glyph style", &Settings::buttonGlyphStyle},
            {Aesthetics, "grid background image", &Settings::gridBackgroundImage},
            {Aesthetics, "grid background image size", &Settings::gridBackgroundImageSize},

            {DX, "enabled", &Settings::dxEnabled},
            {DX, "id", &Settings::dxId},
            {DX, "browser pixels", &Settings::dxBrowserPixels},
            {DX, "grid pixels", &Settings::dxGridPixels},
            {DX, "user prompts", &Settings::dxUserPrompts},
            {DX, "grid crosshairs", &Settings::dxGridCrosshairs},
        };
        for (int button = 2; button <= 16; ++button)
            t.append({DX, QStringLiteral("button %1").arg(button), button});
        t += QList<Entry>{
            {General, "custom button path", &Settings::customButtonPath},
            {General, "custom button hint", &Settings::customButtonHint},
            {General, "custom button glyph", &Settings::customButtonGlyph},
            {General, "application hints", &Settings::applicationHints},
            {General, "corner hints", &Settings::cornerHints},
            {General, "window size", &Settings::windowSize},
            {General, "address manager queue delay", &Settings::addressManagerQueueDelay},
            {General, "address manager queue open type", &Settings::addressManagerQueueOpenType},
            {General, "address manager favorites auto collapse and expand", &Settings::favoritesAutoCollapse},
            {General, "address manager imports auto collapse and expand", &Settings::importsAutoCollapse},
            {General, "nav grid last position", &Settings::navGridLastPosition},
            {General, "nav grid hint lock", &Settings::navGridHintLock},
            {General, "nav grid hint height", &Settings::navGridHintHeight},
            {General, "nav grid hint width", &Settings::navGridHintWidth},
            {Extras, "restore session", &Settings::restoreSession},
            {Extras, "pane sound", &Settings::paneSound},
            {Extras, "music pauses for pane sound", &Settings::musicPausesForPaneSound},
            {Extras, "click activates pane", &Settings::clickActivatesPane},
            {Extras, "pages out of view", &Settings::pagesOutOfView},
            {Extras, "page processes", &Settings::pageProcesses},
        };
        return t;
    }();
    return table;
}

SettingsStore::SettingsStore(QString filePath, QRect workArea, QDate today)
    : m_filePath(std::move(filePath)), m_workArea(workArea), m_today(today)
{
}

int SettingsStore::pageProcessesBeforeStart(const QString &filePath)
{
    const QFileInfo info(filePath);
    IniFile ini;
    int value = Settings().pageProcesses;
    if (!info.isFile() || info.size() > MaximumFileBytes || ini.read(filePath) != IniFile::ReadResult::Read)
        return value;
    int stored = 0;
    if (parseInteger(ini.value(QStringLiteral("Options/Extras"), QStringLiteral("page processes")), stored)
        && (stored == 0 || stored == 1))
        value = stored;
    return value;
}

QString SettingsStore::defaultFilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
           + QStringLiteral("/Halvane/Vorlan.conf");
}

QStringList SettingsStore::sectionNames()
{
    return {MainWindow, Browsers, Aesthetics, DX, General, Extras};
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

QString SettingsStore::textOf(const Settings &settings, const Entry &entry)
{
    if (auto textField = std::get_if<QString Settings::*>(&entry.field))
        return settings.*(*textField);
    if (auto intField = std::get_if<int Settings::*>(&entry.field))
        return QString::number(settings.*(*intField));
    return QString::number(settings.dxButtons[std::get<int>(entry.field)]);
}

QString SettingsStore::defaultText(const Entry &entry) const
{
    const QLocale locale = QLocale::system();
    switch (entry.computed) {
    case Computed::Top:
        return QString::number(WindowGeometry::restoredBounds(m_workArea).top());
    case Computed::Left:
        return QString::number(WindowGeometry::restoredBounds(m_workArea).left());
    case Computed::MinDate:
        return locale.toString(m_today, QLocale::ShortFormat);
    case Computed::MaxDate:
        // addMonths clamps the day to the length of the next month.
        return locale.toString(m_today.addMonths(1), QLocale::ShortFormat);
    case Computed::None:
        break;
    }
    return textOf(Settings{}, entry);
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
    // In 64 bits: a top or left near the int limit (a damaged file) must not
    // wrap round and pass as on the screen.
    if (s.width < 300 || s.height < 300 || s.top < 0 || s.left < 0
        || m_workArea.height() < qint64(s.top) + 300 || m_workArea.width() < qint64(s.left) + 458) {
        const QRect restored = WindowGeometry::restoredBounds(m_workArea);
        s.width = restored.width();
        s.height = restored.height();
        s.top = restored.top();
        s.left = restored.left();
    }
}

bool SettingsStore::load(Settings &settings, Prompter *prompter)
{
    QDir().mkpath(QFileInfo(m_filePath).absolutePath());
    IniFile ini;
    // A file of megabytes is not a settings file this program wrote, and
    // reading one would hold up the start for nothing.
    const QFileInfo info(m_filePath);
    const bool tooLarge = info.isFile() && info.size() > MaximumFileBytes;
    const IniFile::ReadResult read = tooLarge ? IniFile::ReadResult::Damaged : ini.read(m_filePath);
    bool usable = read == IniFile::ReadResult::Read || read == IniFile::ReadResult::Missing;
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
        // A file that cannot be written is no damaged file: it stays as it
        // is, and a reset could not be written either.
        if (added && !ini.write(m_filePath))
            return false;
        usable = readAll(ini, settings);
    }
    if (usable) {
        checkWindow(settings);
        return true;
    }

    // Reset: every value of every section back to its default. The damaged
    // file is kept beside the new one rather than overwritten; when it cannot
    // be moved, nothing is written over it.
    QString kept;
    if (info.exists() || info.isSymLink()) {
        kept = DamagedFile::moveAside(m_filePath);
        if (kept.isEmpty())
            return false;
    }
    IniFile fresh;
    for (const Entry &entry : entries())
        fresh.setValue(entry.section, entry.name, defaultText(entry));
    if (!fresh.write(m_filePath) || !readAll(fresh, settings))
        return false;
    checkWindow(settings);
    if (tooLarge && prompter) {
        const qint64 megabytes = qMax<qint64>(1, qRound64(double(info.size()) / (1024 * 1024)));
        prompter->showInformation(QStringLiteral("The settings file is too large to be read (%1 MB); it is kept as "
                                                 "%2 and the default settings are used.")
                                      .arg(megabytes)
                                      .arg(QDir::toNativeSeparators(kept)));
    }
    return true;
}

SafeSave::Outcome SettingsStore::save(const Settings &settings) const
{
    IniFile ini;
    for (const Entry &entry : entries())
        ini.setValue(entry.section, entry.name, textOf(settings, entry));
    QDir().mkpath(QFileInfo(m_filePath).absolutePath());
    return ini.write(m_filePath);
}
