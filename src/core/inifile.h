#pragma once

#include <QList>
#include <QPair>
#include <QString>

// A small INI file: named sections of "name=value" lines, kept in the order
// they were first seen. Values are text as they stand, on one line each.
// Written atomically.
class IniFile
{
public:
    enum class ReadResult { Read, Missing, Unreadable };

    // Reads the file (UTF-8). A missing file gives an empty document.
    ReadResult read(const QString &path);
    // Writes every section atomically (temporary file renamed over the old).
    bool write(const QString &path) const;

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
    };
    Section *find(const QString &section);
    const Section *find(const QString &section) const;

    QList<Section> m_sections;
};
