#include "pane/offlineinterceptor.h"

#include <QUrl>

bool OfflineInterceptor::isNetworkScheme(const QString &scheme)
{
    static const QStringList network{QStringLiteral("http"), QStringLiteral("https"), QStringLiteral("ftp"),
                                     QStringLiteral("ws"), QStringLiteral("wss")};
    return network.contains(scheme.toLower());
}

void OfflineInterceptor::interceptRequest(QWebEngineUrlRequestInfo &info)
{
    if (m_offline && isNetworkScheme(info.requestUrl().scheme()))
        info.block(true);
}
