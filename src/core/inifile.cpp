#include "core/inifile.h"

#include "core/textfile.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

IniFile::ReadResult IniFile::read(const QString &path)
{
    m_sections.clear();
    m_index.clear();
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return ReadResult::Missing;
    // Only a plain file: opening a pipe or a device would wait for ever.
    if (!info.isFile())
        return ReadResult::Unreadable;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return ReadResult::Unreadable;
    return parse(file.readAll());
}

IniFile::ReadResult IniFile::parse(const QByteArray &bytes)
{
    m_sections.clear();
    m_index.clear();
    if (bytes.contains('\0'))
        return ReadResult::Damaged;
    // UTF-8 (a byte order mark first is dropped), or Windows-1252 for a
    // file edited by hand in an older editor, as every text file here.
    const QString text = TextFile::decode(bytes);
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
            findOrAdd(section);
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq < 0) {
            m_sections.clear();
            m_index.clear();
            return ReadResult::Damaged;
        }
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

SafeSave::Outcome IniFile::write(const QString &path) const
{
    return SafeSave::write(path, toText().toUtf8());
}

IniFile::Section *IniFile::find(const QString &section)
{
    const auto it = m_index.constFind(section);
    return it == m_index.cend() ? nullptr : &m_sections[*it];
}

const IniFile::Section *IniFile::find(const QString &section) const
{
    const auto it = m_index.constFind(section);
    return it == m_index.cend() ? nullptr : &m_sections[*it];
}

IniFile::Section &IniFile::findOrAdd(const QString &section)
{
    if (Section *s = find(section))
        return *s;
    m_index.insert(section, m_sections.size());
    m_sections.append({section, {}, {}});
    return m_sections.last();
}

bool IniFile::contains(const QString &section, const QString &name) const
{
    const Section *s = find(section);
    return s && s->index.contains(name);
}

QString IniFile::value(const QString &section, const QString &name) const
{
    if (const Section *s = find(section)) {
        const auto it = s->index.constFind(name);
        if (it != s->index.cend())
            return s->values[*it].second;
    }
    return {};
}

void IniFile::setValue(const QString &section, const QString &name, const QString &value)
{
    Section &s = findOrAdd(section);
    const auto it = s.index.constFind(name);
    if (it != s.index.cend()) {
        s.values[*it].second = value;
        return;
    }
    s.index.insert(name, s.values.size());
    s.values.append({name, value});
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
