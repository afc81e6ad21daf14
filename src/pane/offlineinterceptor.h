#pragma once

#include <QWebEngineUrlRequestInterceptor>

#include <atomic>

// Blocks a page's network requests while the program is off line. Local
// pages (file:, data:, about:, qrc:) still load.
class OfflineInterceptor : public QWebEngineUrlRequestInterceptor
{
    Q_OBJECT
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;

    void setOffline(bool offline) { m_offline = offline; }
    bool offline() const { return m_offline; }
    void interceptRequest(QWebEngineUrlRequestInfo &info) override;

    static bool isNetworkScheme(const QString &scheme);

private:
    std::atomic<bool> m_offline{false};
};
