#pragma once

// What every fuzz program shares: one application object for the readers
// that need Qt's plugins or platform, and a scratch folder that each input
// is written into and emptied after, so a reader that moves a damaged file
// aside or writes defaults cannot fill the disk over millions of runs.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace Fuzz {

inline void startApplication()
{
    static int argc = 1;
    static char name[] = "vorlan-fuzz";
    static char *argv[] = {name, nullptr};
    static QGuiApplication *app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QGuiApplication(argc, argv);
    }();
    (void)app;
}

// A folder of the input's own; empty again when the object goes.
class Scratch
{
public:
    Scratch()
    {
        static QTemporaryDir root;
        m_path = root.path() + QStringLiteral("/run");
        QDir().mkpath(m_path);
    }
    ~Scratch() { QDir(m_path).removeRecursively(); }
    Scratch(const Scratch &) = delete;
    Scratch &operator=(const Scratch &) = delete;

    // The folder with a trailing "/", as the data folder is passed around.
    QString folder() const { return m_path + QLatin1Char('/'); }

    // Writes the bytes to name inside the folder (folders made as needed);
    // its path.
    QString write(const QString &name, const uint8_t *data, size_t size) const
    {
        return writeAt(folder() + name, data, size);
    }
    // The same at a path the reader computes (inside the folder).
    static QString writeAt(const QString &path, const uint8_t *data, size_t size)
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)
            || file.write(reinterpret_cast<const char *>(data), qint64(size)) != qint64(size)) {
            std::fprintf(stderr, "fuzz: cannot write %s\n", qPrintable(path));
            std::abort();
        }
        return path;
    }

private:
    QString m_path;
};

// A property of the reader that must hold for every input; a broken one is a
// finding like a crash.
inline void require(bool condition, const char *what)
{
    if (!condition) {
        std::fprintf(stderr, "fuzz: broken: %s\n", what);
        std::abort();
    }
}

} // namespace Fuzz
