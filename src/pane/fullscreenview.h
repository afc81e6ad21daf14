#pragma once

#include <QObject>
#include <QPointer>
#include <QRect>

class QWebEngineView;
class QWidget;

// A page over the whole screen: its view leaves its pane for a top-level
// window of its own and comes back to the same place, at the same size,
// when the page leaves full screen (Esc, or the page's own exit).
class FullScreenView : public QObject
{
    Q_OBJECT
public:
    FullScreenView(QWebEngineView *view, QObject *parent);
    ~FullScreenView() override;

    bool active() const { return m_window != nullptr; }
    QWidget *window() const { return m_window; }

    void enter();
    void leave();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<QWebEngineView> m_view;
    QPointer<QWidget> m_window;
    QPointer<QWidget> m_oldParent;
    QRect m_oldGeometry;
};
