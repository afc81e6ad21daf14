#include "pane/viewpicture.h"

#include <QCoreApplication>
#include <QList>
#include <QMetaObject>
#include <QQuickWidget>
#include <QQuickWindow>
#include <QResizeEvent>
#include <QSGRendererInterface>

namespace ViewPicture {

namespace {

QList<QQuickWidget *> softwareDrawn(QWidget *view)
{
    QList<QQuickWidget *> widgets;
    if (!view)
        return widgets;
    for (QQuickWidget *widget : view->findChildren<QQuickWidget *>()) {
        const QSGRendererInterface *renderer = widget->quickWindow() ? widget->quickWindow()->rendererInterface()
                                                                     : nullptr;
        if (renderer && renderer->graphicsApi() == QSGRendererInterface::Software)
            widgets << widget;
    }
    return widgets;
}

} // namespace

// QQuickWidget frees its picture in a slot of its own, the one its scene
// graph signal calls. Drawn by the GPU the picture is a
// texture the widget shares with its window, which is left alone.
int release(QWidget *view)
{
    int released = 0;
    for (QQuickWidget *widget : softwareDrawn(view))
        if (QMetaObject::invokeMethod(widget, "destroyFramebufferObject"))
            ++released;
    return released;
}

void restore(QWidget *view)
{
    for (QQuickWidget *widget : softwareDrawn(view)) {
        // The widget's own resize handling makes a picture of its size and
        // draws the scene into it at once, so the pane never shows an
        // undrawn picture. The size is the same: the page does not notice.
        QResizeEvent resize(widget->size(), widget->size());
        QCoreApplication::sendEvent(widget, &resize);
    }
}

} // namespace ViewPicture
