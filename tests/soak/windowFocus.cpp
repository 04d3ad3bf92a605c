#include "soak/windowFocus.h"

#include <QGuiApplication>
#include <QWidget>

#include <X11/Xlib.h>

void GiveFocus(QWidget* window)
{
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->display()) {
        window->activateWindow();
        return;
    }
    XSetInputFocus(x11->display(), static_cast<Window>(window->winId()), RevertToParent, CurrentTime);
    XSync(x11->display(), False);
}
