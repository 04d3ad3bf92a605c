#pragma once

#include "record/gameSnapshot.h"

#include <cstdint>

class CKratDoc;

// The running game as a snapshot, and back: the game state, the generator's
// position, the turn and its time (from the game's inputs), each player's
// bomb choice and what the status bar shows, the seats and the cameras.
GameSnapshot TakeSnapshot(const CKratDoc& document);
// Puts the whole of a snapshot (held within the game's limits) into the game.
void RestoreSnapshot(const GameSnapshot& state, CKratDoc& document);
// The digest of the game as it stands.
std::uint32_t GameDigest(const CKratDoc& document);
// The fresh field of the round seeded with seed, made aside: the game's own
// field and the generator's position stay as they were.
void MakeFreshField(std::uint32_t seed, float (&heights)[SNAPSHOT_FIELD][SNAPSHOT_FIELD]);
