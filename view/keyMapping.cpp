#include "view/keyMapping.h"

#include <QKeyEvent>

bool IsMenuKey(const QKeyEvent& event)
{
    return event.modifiers() & Qt::AltModifier;
}

int VirtualKeyOf(const QKeyEvent& event)
{
    if (IsMenuKey(event))
        return 0;
    const bool keypad = event.modifiers() & Qt::KeypadModifier;
    switch (event.key()) {
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_P: return VK_P;
    case Qt::Key_R: return VK_R;
    case Qt::Key_Plus: return keypad ? VK_ADD : VK_OEM_PLUS;
    case Qt::Key_Equal: return VK_OEM_PLUS;
    case Qt::Key_Minus: return keypad ? VK_SUBTRACT : VK_OEM_MINUS;
    case Qt::Key_Underscore: return VK_OEM_MINUS;
    default: return 0;
    }
}
