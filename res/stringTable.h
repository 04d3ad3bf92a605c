#pragma once

#include <QString>

// The game's string table: every text a player sees, keyed by its id in
// resource.h, in UTF-8. Returns "" for an id the table does not hold.
const char* LoadStringUtf8(int id);
// The same text as the program shows it.
QString Text(int id);
