#pragma once

#include "record/gameSnapshot.h"
#include "record/inputs.h"

#include <QString>

// What a game the game itself could have reached looks like: every value a
// saved game or a record brings is held against these before anything of it
// touches the running game. Empty when all is well, else the first value out
// of range, named for a programmer.
QString SnapshotProblem(const GameSnapshot& state);
QString StreamProblem(const InputStream& stream);
// One input's values alone, as a network message brings it.
QString InputProblem(const InputBody& input);
