#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QWidget;
class BrowserControl;

// What becomes of a page's request for a new window.
struct NewWindowDecision
{
    enum class Kind { Cancel, OwnWindow, IntoControl };
    Kind kind = Kind::Cancel;
    BrowserControl *control = nullptr; // with IntoControl: the control that takes the page
};

// The embedded browser as the pane sees it: exactly the operations and
// events the program uses. One real implementation wraps Qt WebEngine;
// grid tests may use a light fake.
class BrowserControl : public QObject
{
    Q_OBJECT
public:
    // Command numbers of commandStateChange.
    static constexpr int CommandForward = 1;
    static constexpr int CommandBack = 2;

    using QObject::QObject;

    // The widget that shows the page; the pane places it.
    virtual QWidget *widget() = 0;

    // Starts loading; an empty address loads "about:blank". False when the
    // address could not be handed to the engine.
    virtual bool navigate2(const QString &address) = 0;
    virtual void navigate(const QString &address) = 0;
    virtual void goBack() = 0;
    virtual void goForward() = 0;
    virtual void stop() = 0;

    virtual bool busy() const = 0;          // a load is in progress
    virtual bool hasDocument() const = 0;   // a document has loaded
    virtual QString locationUrl() const = 0;

    virtual void setSilent(bool silent) = 0;   // no script dialogs while set
    virtual bool silent() const = 0;
    virtual void setOffline(bool offline) = 0; // no network requests while set
    virtual bool offline() const = 0;

    // Decides each request of the page for a new window.
    void setNewWindowHandler(std::function<NewWindowDecision()> handler) { m_newWindowHandler = std::move(handler); }

signals:
    void statusTextChange(const QString &text);
    void commandStateChange(int command, bool enabled);
    void beforeNavigate2(const QString &address);
    void navigateComplete2(const QString &address);
    void documentComplete(const QString &address);
    void windowClosing();
    void setSecureLockIcon(int level);

protected:
    NewWindowDecision decideNewWindow() const
    {
        return m_newWindowHandler ? m_newWindowHandler() : NewWindowDecision{NewWindowDecision::Kind::OwnWindow, nullptr};
    }

private:
    std::function<NewWindowDecision()> m_newWindowHandler;
};
