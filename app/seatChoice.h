#pragma once

#include "view/seats.h"

#include <array>
#include <optional>
#include <string>

using SeatList = std::array<Seat, MAX_PLAYERS>;

// The seats' choice written out: on the command line (--komputer LISTA) and in
// the remembered settings. A level is written "latwy", "sredni", "trudny" or
// "mistrz"; the command line takes "łatwy" and "średni" too.

// A comma-separated list of seats 1..8, each optionally followed by ":" and a
// level (default "sredni"), e.g. "2:trudny,3,4:mistrz"; "brak" for no
// computer at all. Seats not listed are a person's. Nothing for a bad list
// (an unknown level, a seat outside 1..8 or named twice, an empty item).
std::optional<SeatList> ReadComputerList(const std::string& list);

// The remembered choice; every seat a person's when the settings are missing,
// unreadable or damaged.
SeatList LoadSeats();
void SaveSeats(const SeatList& list);

// The run's seats as a list, and the list made the run's seats.
SeatList CurrentSeats();
void UseSeats(const SeatList& list);
