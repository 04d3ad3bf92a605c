#pragma once

#include "app/commandLine.h"

#include <string>

// Whether QApplication can be built here: the platform plug-in it will pick
// exists and, for X, the X display opens. Asked before the QApplication is
// built, because Qt aborts when either is missing. Returns "" when the game
// can start, or the one line to show on standard error.
std::string MissingDisplay(const CommandLine& commandLine);
