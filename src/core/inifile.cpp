#include "core/inifile.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>

IniFile::ReadResult IniFile::read(const QString &path)
{
    m_sections.clear();
    QFile file(path);
    if (!file.exists())
        return ReadResult::Missing;
    if (!file.open(QIODevice::ReadOnly))
        return ReadResult::Unreadable;
    // fromUtf8 drops the byte order mark a Windows editor may put first.
    const QString text = QString::fromUtf8(file.readAll());
    QString section;
    for (QString line : text.split(QLatin1Char('\n'))) {
        // Every CR before the line end goes: the writer ends lines with LF
        // alone, so a CR kept here would not read back the same.
        while (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char(';')) || trimmed.startsWith(QLatin1Char('#')))
            continue;
        if (trimmed.startsWith(QLatin1Char('[')) && trimmed.endsWith(QLatin1Char(']'))) {
            section = trimmed.mid(1, trimmed.size() - 2);
            if (!find(section))
                m_sections.append({section, {}});
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq < 0)
            continue;
        setValue(section, line.left(eq).trimmed(), line.mid(eq + 1));
    }
    return ReadResult::Read;
}

namespace {
// One line of the file: a line break inside a value (pasted text) would
// start a line of its own, read back as another name or section.
QString oneLine(QString text)
{
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    return text;
}
} // namespace

QString IniFile::toText() const
{
    QString text;
    for (const Section &s : m_sections) {
        text += QLatin1Char('[') + oneLine(s.name) + QLatin1String("]\n");
        for (const auto &[name, value] : s.values)
            text += oneLine(name) + QLatin1Char('=') + oneLine(value) + QLatin1Char('\n');
        text += QLatin1Char('\n');
    }
    return text;
}

bool IniFile::write(const QString &path) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(toText().toUtf8());
    return file.commit();
}

IniFile::Section *IniFile::find(const QString &section)
{
    for (Section &s : m_sections)
        if (s.name == section)
            return &s;
    return nullptr;
}

const IniFile::Section *IniFile::find(const QString &section) const
{
    for (const Section &s : m_sections)
        if (s.name == section)
            return &s;
    return nullptr;
}

bool IniFile::contains(const QString &section, const QString &name) const
{
    if (const Section *s = find(section))
        for (const auto &entry : s->values)
            if (entry.first == name)
                return true;
    return false;
}

QString IniFile::value(const QString &section, const QString &name) const
{
    if (const Section *s = find(section))
        for (const auto &entry : s->values)
            if (entry.first == name)
                return entry.second;
    return {};
}

void IniFile::setValue(const QString &section, const QString &name, const QString &value)
{
    Section *s = find(section);
    if (!s) {
        m_sections.append({section, {}});
        s = &m_sections.last();
    }
    for (auto &entry : s->values) {
        if (entry.first == name) {
            entry.second = value;
            return;
        }
    }
    s->values.append({name, value});
}

QStringList IniFile::sections() const
{
    QStringList list;
    for (const Section &s : m_sections)
        list << s.name;
    return list;
}

QStringList IniFile::names(const QString &section) const
{
    QStringList list;
    if (const Section *s = find(section))
        for (const auto &entry : s->values)
            list << entry.first;
    return list;
}
