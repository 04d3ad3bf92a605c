#pragma once

#include <cstdint>

struct GameSnapshot;

// A fingerprint of everything a turn can change: players, rounds, the turn,
// every tank of the game (its shell while one flies), the whole height field,
// the wind, the generator's position and each player's bomb choice. Floats
// count bit for bit, so a shell one step further gives another digest. Left
// out is what each machine keeps for itself: cameras, seats, what the status
// bar shows and the time into the turn.
std::uint32_t StateDigest(const GameSnapshot& state);
