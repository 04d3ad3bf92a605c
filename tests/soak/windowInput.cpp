#include "soak/windowInput.h"

#include <QGuiApplication>
#include <QPointer>
#include <QStyleHints>
#include <QTest>
#include <QWindow>

namespace WindowInput {

namespace {

Qt::MouseButtons buttonsHeld;
int mouseTime = 0;

void Key(QWindow* window, bool press, int key, Qt::KeyboardModifiers modifiers, const QString& text = QString())
{
    qt_handleKeyEvent(window, press ? QEvent::KeyPress : QEvent::KeyRelease, key, modifiers, text);
}

void Mouse(QWindow* window, Qt::MouseButton button, QEvent::Type type, QPoint at)
{
    buttonsHeld.setFlag(button, type == QEvent::MouseButtonPress);
    qt_handleMouseEvent(window, at, window->mapToGlobal(at), buttonsHeld, button, type, Qt::NoModifier, mouseTime);
}

} // namespace

void KeyClick(QWindow* window, Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QPointer<QWindow> target(window);
    const QString text = QString(QChar::fromLatin1(QTest::keyToAscii(key))).remove(QChar());
    // The modifier keys go down before the key and come up after it.
    const std::pair<Qt::KeyboardModifier, Qt::Key> held[] = {
        {Qt::ShiftModifier, Qt::Key_Shift}, {Qt::ControlModifier, Qt::Key_Control}, {Qt::AltModifier, Qt::Key_Alt}};
    Qt::KeyboardModifiers down;
    for (const auto& [modifier, modifierKey] : held)
        if (target && (modifiers & modifier)) {
            Key(target, true, modifierKey, down);
            down |= modifier;
        }
    if (target)
        Key(target, true, key, modifiers, text);
    if (target)
        Key(target, false, key, modifiers, text);
    for (auto it = std::rbegin(held); it != std::rend(held); ++it)
        if (target && (modifiers & it->first)) {
            down &= ~it->first;
            Key(target, false, it->second, down);
        }
}

void MousePress(QWindow* window, Qt::MouseButton button, QPoint at)
{
    ++mouseTime;
    Mouse(window, button, QEvent::MouseButtonPress, at);
}

void MouseRelease(QWindow* window, Qt::MouseButton button, QPoint at)
{
    ++mouseTime;
    Mouse(window, button, QEvent::MouseButtonRelease, at);
    mouseTime += QGuiApplication::styleHints()->mouseDoubleClickInterval(); // the next press is no double click
}

void MouseDoubleClick(QWindow* window, Qt::MouseButton button, QPoint at)
{
    ++mouseTime;
    QPointer<QWindow> target(window);
    for (int click = 0; click < 2 && target; ++click) {
        Mouse(target, button, QEvent::MouseButtonPress, at);
        if (target)
            Mouse(target, button, QEvent::MouseButtonRelease, at);
    }
    // The next click is a click of its own, not the third of these.
    mouseTime += QGuiApplication::styleHints()->mouseDoubleClickInterval() + 1;
}

} // namespace WindowInput
