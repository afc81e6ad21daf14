#include "appearance/aestheticprofiles.h"

#include "core/settingsstore.h"
#include "core/textfile.h"

#include <QCollator>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

const QString AestheticProfiles::SaveMe = QStringLiteral("..Save me..");

AestheticProfiles::AestheticProfiles(QString dataFolder) : m_dataFolder(std::move(dataFolder)) {}

QString AestheticProfiles::folder() const
{
    return m_dataFolder + QStringLiteral("Aesthetic Profiles/");
}

QString AestheticProfiles::filePath(const QString &name) const
{
    return folder() + name + QStringLiteral(".acp");
}

QStringList AestheticProfiles::listNames() const
{
    QStringList names = ColourSchemes::names();
    for (const QFileInfo &file : QDir(folder()).entryInfoList({QStringLiteral("*.acp")}, QDir::Files | QDir::Hidden))
        if (!names.contains(file.completeBaseName()))
            names << file.completeBaseName();
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::sort(names.begin(), names.end(), collator);
    return names;
}

bool AestheticProfiles::isFileName(const QString &name)
{
    // The name becomes a file name in the profiles' folder and must stay there.
    const bool control = std::any_of(name.begin(), name.end(), [](QChar c) { return c.category() == QChar::Other_Control; });
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..")
        && !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')) && !control;
}

bool AestheticProfiles::isSavableName(const QString &name, QString *message)
{
    if (name.isEmpty() || name == SaveMe || ColourSchemes::isScheme(name)) {
        if (message)
            *message = QStringLiteral("Check profile name, it may exists.");
        return false;
    }
    if (!isFileName(name)) {
        if (message)
            *message = QStringLiteral("A profile name cannot hold \"/\", \"\\\" or control characters, nor be \".\" "
                                      "or \"..\".");
        return false;
    }
    return true;
}

SafeSave::Outcome AestheticProfiles::save(const QString &name, const AppearanceValues &values) const
{
    if (!isSavableName(name))
        return {false, QStringLiteral("the name cannot be a profile's")};
    QDir().mkpath(folder());
    QStringList lines;
    for (int v : values)
        lines << QString::number(v);
    return TextFile::writeLines(filePath(name), lines);
}

AestheticProfiles::LoadResult AestheticProfiles::load(const QString &name, AppearanceValues *values) const
{
    if (name.isEmpty() || name == SaveMe || name == QLatin1String("Reset") || ColourSchemes::isScheme(name)
        || !isSavableName(name))
        return LoadResult::Nothing;
    QStringList lines;
    switch (TextFile::readLines(filePath(name), &lines)) {
    case TextFile::ReadResult::Missing:
        return LoadResult::Nothing;
    case TextFile::ReadResult::Unreadable:
        return LoadResult::Damaged;
    case TextFile::ReadResult::Read:
        break;
    }
    if (lines.size() != 16)
        return LoadResult::Nothing;
    // All or nothing: a damaged line leaves every value as it was.
    AppearanceValues read{};
    for (int i = 0; i < 16; ++i)
        if (!SettingsStore::parseInteger(lines[i].trimmed(), read[size_t(i)]))
            return LoadResult::Damaged;
    if (values)
        *values = read;
    return LoadResult::Loaded;
}

bool AestheticProfiles::remove(const QString &name) const
{
    // A name that cannot be a file's has no file to delete.
    if (!isFileName(name))
        return true;
    const QString path = filePath(name);
    return !QFileInfo::exists(path) || QFile::remove(path);
}
