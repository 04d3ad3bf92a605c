#pragma once

#include "ai/brain.h"
#include "view/gameState.h"

// Who plays a seat: the person at the keyboard, or the computer at a level.
// The turn logic asks the seat what it needs to know (whose input moves the
// tank, whether the seat plays and shops by itself) and never looks at the
// kind itself, so that another kind of seat needs no change there.
struct Seat {
    enum class Kind { Person, Computer };
    Kind kind = Kind::Person;
    BrainLevel level = BrainLevel::Sredni;

    static Seat Person() { return Seat(); }
    static Seat Computer(BrainLevel level) { return Seat{Kind::Computer, level}; }

    // The keys, the toolbar's aiming and fire buttons and the bomb selector
    // move this seat's tank.
    bool TakesPersonsInput() const { return kind == Kind::Person; }
    // The computer's hands play this seat's turns and its shop visits.
    bool PlaysByItself() const { return kind == Kind::Computer; }

    bool operator==(const Seat& other) const
    {
        return kind == other.kind && (kind == Kind::Person || level == other.level);
    }
    bool operator!=(const Seat& other) const { return !(*this == other); }
};

// The seats of the whole run, beside the game state: slot i is player i + 1.
// Seats beyond playerCount keep their choice for a game with more players.
extern Seat seats[MAX_PLAYERS];

// The computer-players dialog's item index of a seat (0 a person, 1..4 the
// levels weakest first), and back; an index out of range is a person.
int ChoiceOfSeat(const Seat& seat);
Seat SeatOfChoice(int choice);
