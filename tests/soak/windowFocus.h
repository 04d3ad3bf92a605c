#pragma once

class QWidget;

// Gives the top-level window the keyboard focus the way a window manager
// does: at once, whatever time the program last heard from the X server (a
// focus request stamped with a time older than the last focus change is
// ignored). Returns after a round trip, so every focus event that earlier
// requests caused comes before the ones this causes. Off X it asks Qt.
void GiveFocus(QWidget* window);
