#include "core/urlquery.h"

#include <QUrl>

namespace UrlQuery {

QString encodeValue(const QString &value)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(value, QByteArrayLiteral(":/?@!$'()*,;")));
}

} // namespace UrlQuery
