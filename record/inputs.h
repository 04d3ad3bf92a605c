#pragma once

#include <cstdint>
#include <variant>
#include <vector>

// The game is its inputs. From the new-game numbers, the seats, each round's
// seed and the inputs below, applied at the turn and flight step each took
// effect, the game comes out the same, bit for bit: in live play, in a
// record's playback and on every machine of a network game. Each input is a
// plain value of one kind; cameras, sound and dialogs' looks are not inputs.

// Where in the game an input took effect.
struct InputStamp {
    int turn = 0;        // turns begun in this game before it, the first turn 0
    int step = -1;       // steps the shell had flown when it took effect; -1 outside a flight
    int msIntoTurn = 0;  // time since its turn began, for the players' pace in playback
};

// A game begins: its numbers, and the wind it starts from (the wind is never
// reset, so a game inherits the last one's).
struct NewGameInput {
    int players = 2;
    int rounds = 1;
    int windDirection = 0;
    int windStrength = 0;
};

// Who plays each seat: the computer-players dialog's item index (0 a person,
// 1..4 the computer's levels, weakest first).
struct SeatsInput {
    int choice[8] = {};
};

// The value handed to srand when a round's field is made.
struct RoundSeedInput {
    std::uint32_t seed = 0;
};

// One of the tank commands (ID_BARREL_LEFT ... ID_FIRE); a key is recorded as
// the command whose effect it has.
struct TankCommandInput {
    int command = 0;
};

// The bomb kind chosen for the player on turn.
struct BombChoiceInput {
    int kind = 0;
};

// A served tick of the wind timer: the wind drifts.
struct WindTickInput {};

// A player's shop visit, as its outcome: his money and stock after it.
struct ShopVisitInput {
    int slot = 0;
    int money = 0;
    int stock[4] = {};
};

// A turn has begun; the digest of the whole game state at that moment.
struct TurnStartInput {
    std::uint32_t digest = 0;
};

using InputBody = std::variant<NewGameInput, SeatsInput, RoundSeedInput, TankCommandInput, BombChoiceInput,
                               WindTickInput, ShopVisitInput, TurnStartInput>;

struct Input {
    InputStamp stamp;
    InputBody body;
};

using InputStream = std::vector<Input>;

// Inputs that arrive whenever a player (or the timer) gives them, as against
// those the game asks for at fixed points of its flow (a game's numbers, a
// round's seed, a shop visit, a turn's digest).
inline bool ArrivesByItself(const InputBody& body)
{
    return std::holds_alternative<TankCommandInput>(body) || std::holds_alternative<BombChoiceInput>(body)
           || std::holds_alternative<WindTickInput>(body) || std::holds_alternative<SeatsInput>(body);
}
