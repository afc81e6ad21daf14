#include "app/commandline.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include <cstdio>

namespace CommandLine {

Result parse(const QStringList &arguments, const QString &workingFolder)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Vorlan shows many live web pages at once."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("addresses"),
                                 QStringLiteral("Web addresses or files to open, each in a pane of its own."),
                                 QStringLiteral("[address...]"));
    Result result;
    if (!parser.parse(arguments)) {
        std::fprintf(stderr, "%s\n", qPrintable(parser.errorText()));
        result.exit = true;
        result.exitCode = 2;
        return result;
    }
    if (parser.isSet(help) || parser.isSet(version)) {
        const QString text = parser.isSet(help) ? parser.helpText()
                                                : QStringLiteral("Vorlan %1\n").arg(QLatin1String(VORLAN_VERSION));
        std::fputs(qPrintable(text), stdout);
        result.exit = true;
        return result;
    }
    for (const QString &argument : parser.positionalArguments()) {
        // A file of that name where the user stands wins; otherwise the text
        // is a web address ("example.org").
        const QUrl local = QUrl::fromUserInput(argument, workingFolder, QUrl::AssumeLocalFile);
        const bool isFile = local.isLocalFile() && (QFileInfo::exists(local.toLocalFile()) || QDir::isAbsolutePath(argument)
                                                    || argument.contains(QLatin1Char('/')));
        const QUrl url = isFile ? local : QUrl::fromUserInput(argument);
        // Fully encoded: an address holds no blank, TAB or line break, so it
        // travels to a running copy as one line.
        if (url.isValid() && !argument.trimmed().isEmpty())
            result.addresses << url.toString(QUrl::FullyEncoded);
    }
    return result;
}

} // namespace CommandLine
