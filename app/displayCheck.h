#pragma once

#include "app/commandLine.h"

#include <string>

// Whether QApplication can be built here: the platform plug-in it will pick
// exists and, for X, the X display opens. Asked before the QApplication is
// built, because Qt aborts when either is missing. Returns "" when the game
// can start, or the one line to show on standard error.
// When it can, the check's own X connection stays open until
// DisplayCheckDone().
std::string MissingDisplay(const CommandLine& commandLine);

// The display can still fail between the check and QApplication's own
// connection: a server that resets whenever its last client leaves (a bare
// xinit) resets as the check lets go and refuses the next client meanwhile,
// and a server can vanish. So the check's connection is held until this call,
// and meanwhile Qt's abort at a display it cannot open becomes the check's
// one line and exit status 1. Call once the QApplication is built.
void DisplayCheckDone();
