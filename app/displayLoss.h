#pragma once

#include <functional>

// Losing the X server ends the game: one line on standard error, exit status 1.
// Qt's xcb plug-in calls exit(1) itself when it finds the connection broken,
// and Xlib (which GL presents through) ends the process from its I/O error
// handler; both paths are taken over here, before that exit, and letGo is
// called once, so that the game can hand its windows over before static
// destruction would tear them down after the framework's own statics.
// A write to the lost server fails rather than raising SIGPIPE.
// Needs the QApplication.
void EndGameWhenDisplayIsLost(std::function<void()> letGo);
