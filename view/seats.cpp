#include "view/seats.h"

Seat seats[MAX_PLAYERS];

namespace {

constexpr BrainLevel levels[] = {BrainLevel::Latwy, BrainLevel::Sredni, BrainLevel::Trudny, BrainLevel::Mistrz};

} // namespace

int ChoiceOfSeat(const Seat& seat)
{
    if (!seat.PlaysByItself())
        return 0;
    for (int i = 0; i < 4; ++i)
        if (levels[i] == seat.level)
            return i + 1;
    return 0;
}

Seat SeatOfChoice(int choice)
{
    if (choice < 1 || choice > 4)
        return Seat::Person();
    return Seat::Computer(levels[choice - 1]);
}
