#pragma once

#include <QHash>
#include <QList>
#include <QPair>
#include <QString>

#include "core/safesave.h"

// A small INI file: named sections of "name=value" lines, kept in the order
// they were first seen. Values are text as they stand, on one line each.
// Written atomically. Reading takes time in proportion to the file's size,
// however many names or sections it holds.
class IniFile
{
public:
    // Unreadable: not a plain file (a folder, a pipe), or it cannot be opened.
    // Damaged: not text at all (a NUL byte: binary data, UTF-16), or a line
    // that is neither blank, a comment, a "[section]" nor a "name=value".
    // The document is then empty.
    enum class ReadResult { Read, Missing, Unreadable, Damaged };

    // Reads the file (UTF-8, else Windows-1252). A missing file gives an
    // empty document.
    ReadResult read(const QString &path);
    // The same for bytes already read.
    ReadResult parse(const QByteArray &bytes);
    // Writes every section safely (SafeSave); on failure the old file stays.
    SafeSave::Outcome write(const QString &path) const;

    bool contains(const QString &section, const QString &name) const;
    QString value(const QString &section, const QString &name) const;
    void setValue(const QString &section, const QString &name, const QString &value);
    QStringList sections() const;
    QStringList names(const QString &section) const;
    QString toText() const;

private:
    struct Section
    {
        QString name;
        QList<QPair<QString, QString>> values;
        QHash<QString, qsizetype> index; // name -> position in values
    };
    Section *find(const QString &section);
    const Section *find(const QString &section) const;
    Section &findOrAdd(const QString &section);

    QList<Section> m_sections;
    QHash<QString, qsizetype> m_index; // section name -> position in m_sections
};
