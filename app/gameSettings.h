#pragma once

#include <memory>

class QSettings;

// The player's remembered choices (who plays each seat, sound on or off), in
// the desktop's usual place: an INI file under XDG_CONFIG_HOME. A missing or
// damaged file reads as no choices at all; every reader falls back to its
// default, never to an error.
std::unique_ptr<QSettings> OpenGameSettings();
