#pragma once

#include <QPoint>
#include <Qt>

class QWindow;

// Keys and mouse buttons for a window (the game's view), delivered as QTest
// delivers them, but without serving every waiting event after each one as
// QTest's window functions do: frames and the window system's events would
// then come between the keys of one burst wherever the clock put them.
namespace WindowInput {

void KeyClick(QWindow* window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
void MousePress(QWindow* window, Qt::MouseButton button, QPoint at);
void MouseRelease(QWindow* window, Qt::MouseButton button, QPoint at);
// Press, release, press, release at one moment: a double click.
void MouseDoubleClick(QWindow* window, Qt::MouseButton button, QPoint at);

} // namespace WindowInput
