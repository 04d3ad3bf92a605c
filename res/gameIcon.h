#pragma once

#include <QIcon>

// The game's icon with every rendered size, for the window manager to pick
// from (title bar, task switcher).
QIcon GameIcon();
