#include "pane/viewpicture.h"

#include <QList>
#include <QMetaObject>
#include <QQuickWidget>
#include <QQuickWindow>
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

// QQuickWidget makes and frees its picture in two slots of its own, the ones
// its resize and scene graph signals call. Drawn by the GPU the picture is a
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
        // A new picture is drawn whole at the next frame.
        QMetaObject::invokeMethod(widget, "createFramebufferObject");
        widget->quickWindow()->update();
    }
}

} // namespace ViewPicture
