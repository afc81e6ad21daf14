#pragma once

#include <QString>
#include <QStringList>

// The addresses given on the command line (vorlan URL...), each made whole
// where it was typed: a path is read against the launching shell's folder,
// so it still names the same file when a running copy opens it. "--help"
// and "--version" are answered here.
namespace CommandLine {

struct Result
{
    QStringList addresses;
    bool exit = false;  // the arguments were answered (help, version, an error)
    int exitCode = 0;
};

Result parse(const QStringList &arguments, const QString &workingFolder);

} // namespace CommandLine
