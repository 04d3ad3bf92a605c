#pragma once

#include <QPoint>

#include <optional>

class QWidget;

// Where the widget's top-left corner is on the screen as the X server has it.
// A window manager may move a floating toolbar's window without Qt hearing of
// it, and Qt's own idea of the place then stays stale. Nothing off X11.
std::optional<QPoint> ScreenPlace(const QWidget* widget);
