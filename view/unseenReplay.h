#pragma once

#include "record/recordFile.h"

#include <cstdint>

// A record's game played again through the game's own code by a view that
// is never shown: no drawing, no dialogs, no pace, every recorded digest
// checked at its turn. It uses the game state of the run, so no other view
// may be playing meanwhile.
struct ReplayOutcome {
    int turnsChecked = 0;   // turn starts whose digest agreed with the record's
    int divergedAt = -1;    // the turn whose digest differed, or -1
    bool reachedEnd = false; // the whole stream was played (a finished game to its results)
    std::uint32_t endDigest = 0; // the game's digest where the replay stopped
    long long frames = 0;
};

ReplayOutcome ReplayUnseen(const GameRecord& record);
