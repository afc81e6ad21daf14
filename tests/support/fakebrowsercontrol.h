#pragma once

#include "pane/browsercontrol.h"

#include <QStringList>
#include <QWidget>

// A browser control without an engine, for grid tests that need many panes
// fast. It records navigations and reports them as complete at once. (No
// Q_OBJECT: it adds no signals, so the helpers stay headers only.)
class FakeBrowserControl : public BrowserControl
{
public:
    explicit FakeBrowserControl(QWidget *parent) : BrowserControl(parent), m_widget(new QWidget(parent)) {}
    ~FakeBrowserControl() override { delete m_widget; }

    QWidget *widget() override { return m_widget; }
    bool navigate2(const QString &address) override
    {
        navigations << address;
        m_location = address;
        emit beforeNavigate2(address);
        emit navigateComplete2(address);
        emit documentComplete(address);
        return true;
    }
    void navigate(const QString &address) override { navigate2(address); }
    void goBack() override {}
    void goForward() override {}
    void stop() override { ++stops; }
    void reload() override { ++reloads; }
    bool busy() const override { return false; }
    bool hasDocument() const override { return !m_location.isEmpty(); }
    QString locationUrl() const override { return m_location; }
    void setSilent(bool silent) override { m_silent = silent; }
    bool silent() const override { return m_silent; }
    void setOffline(bool offline) override { m_offline = offline; }
    bool offline() const override { return m_offline; }

    // Page access: scripts are recorded and answered with scriptResult.
    bool runScript(const QString &script, int, QVariant *result = nullptr) override
    {
        scripts << script;
        if (result)
            *result = scriptResult;
        return true;
    }
    bool toHtml(int, QString *html) override
    {
        if (html)
            *html = QStringLiteral("<html><head></head><body></body></html>");
        return true;
    }
    QImage grabVisible(int) override
    {
        ++grabs;
        QImage picture(m_widget->size(), QImage::Format_RGB32);
        picture.fill(Qt::white);
        return picture;
    }
    bool printToPdf(int, QByteArray *) override { return false; }
    bool setZoomFactor(double factor) override
    {
        m_zoomFactor = factor;
        return true;
    }
    double zoomFactor() const override { return m_zoomFactor; }
    void setAudioMuted(bool muted) override { m_muted = muted; }
    bool audioMuted() const override { return m_muted; }
    bool recentlyAudible() const override { return m_audible; }
    void setLifecycle(Lifecycle state) override { m_lifecycle = state; }
    Lifecycle lifecycle() const override { return m_lifecycle; }
    // The page starts or stops making sound.
    void setAudible(bool audible)
    {
        if (audible == m_audible)
            return;
        m_audible = audible;
        emit recentlyAudibleChanged(audible);
    }

    bool responding() const override { return m_responding; }
    // The page stops or begins again to answer.
    void setResponding(bool responding)
    {
        m_responding = responding;
        emit respondingChanged(responding);
    }

    // Asks the pane what to do with a page's new window.
    NewWindowDecision requestNewWindow() const { return decideNewWindow(); }

    QStringList navigations;
    QStringList scripts;
    QVariant scriptResult;
    int stops = 0;
    int reloads = 0;
    int grabs = 0;

private:
    QWidget *m_widget;
    QString m_location;
    bool m_silent = false;
    bool m_offline = false;
    double m_zoomFactor = 1.0;
    bool m_muted = false;
    bool m_audible = false;
    bool m_responding = true;
    Lifecycle m_lifecycle = Lifecycle::Active;
};
