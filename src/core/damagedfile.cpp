#include "core/damagedfile.h"

#include <QDateTime>
#include <QFile>

namespace DamagedFile {

QString moveAside(const QString &path)
{
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss"));
    QString target = path + QStringLiteral(".damaged-") + stamp;
    for (int n = 2; QFile::exists(target); ++n)
        target = path + QStringLiteral(".damaged-%1-%2").arg(stamp).arg(n);
    return QFile::rename(path, target) ? target : QString();
}

} // namespace DamagedFile
