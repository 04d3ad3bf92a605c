#pragma once

class QKeyEvent;

// Virtual-key codes of the keys the game knows.
enum VirtualKey {
    VK_SPACE = 32,
    VK_LEFT = 37,
    VK_UP = 38,
    VK_RIGHT = 39,
    VK_DOWN = 40,
    VK_P = 80, // the playback's pace
    VK_R = 82,
    VK_ADD = 107,      // plus of the numeric keypad
    VK_SUBTRACT = 109, // minus of the numeric keypad
    VK_OEM_PLUS = 187, // the key shared by = and +
    VK_OEM_MINUS = 189,
};

// A key pressed with Alt is a menu key: it belongs to the menu bar and never
// reaches the tank. Ctrl and Shift change nothing about a game key.
bool IsMenuKey(const QKeyEvent& event);

// The physical key of a Qt key event as a virtual-key code; 0 for keys the game
// does not know and for menu keys.
int VirtualKeyOf(const QKeyEvent& event);
