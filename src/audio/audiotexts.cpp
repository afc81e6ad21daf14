#include "audio/audiotexts.h"

#include <QFileInfo>

namespace AudioTexts {

QString stopped()
{
    return QStringLiteral("Stopped");
}

QString playing(int index, int count)
{
    return QStringLiteral("Playing...%1  of  %2").arg(index + 1).arg(count);
}

QString displayItem(int index, const QString &path)
{
    const QFileInfo file(path);
    // The extension goes with its dot; a name made only of an extension
    // (".mp3") keeps it, or the item would show no name at all.
    const QString name = file.fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString shown = dot > 0 ? name.left(dot) : name;
    return QStringLiteral("%1 \u2022 %2").arg(index + 1).arg(shown);
}

QString time(qint64 milliseconds)
{
    const qint64 seconds = qMax<qint64>(0, milliseconds) / 1000;
    const qint64 hours = seconds / 3600;
    const qint64 minutes = seconds / 60 % 60;
    const QChar zero(u'0');
    if (hours > 0)
        return QStringLiteral("%1:%2:%3").arg(hours).arg(minutes, 2, 10, zero).arg(seconds % 60, 2, 10, zero);
    return QStringLiteral("%1:%2").arg(minutes).arg(seconds % 60, 2, 10, zero);
}

QString progress(qint64 position, qint64 length)
{
    if (length <= 0)
        return {};
    return time(qMin(position, length)) + QStringLiteral(" / ") + time(length);
}

} // namespace AudioTexts
