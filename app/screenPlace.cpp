#include "app/screenPlace.h"

#include <QGuiApplication>
#include <QWidget>

#include <X11/Xlib.h>

std::optional<QPoint> ScreenPlace(const QWidget* widget)
{
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    const QWidget* top = widget->window();
    if (!x11 || !x11->display() || !top->internalWinId())
        return std::nullopt;
    Display* display = x11->display();
    int x = 0, y = 0;
    Window child = 0;
    if (!XTranslateCoordinates(display, Window(top->internalWinId()), DefaultRootWindow(display), 0, 0, &x, &y,
                               &child))
        return std::nullopt;
    // The server counts device pixels; the widgets count logical ones.
    const qreal ratio = top->devicePixelRatioF();
    return QPoint(qRound(x / ratio), qRound(y / ratio)) + widget->mapTo(top, QPoint(0, 0));
}
