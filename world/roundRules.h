#pragma once

#include "world/cCzolg.h"
#include "world/cTeren.h"

// The round's rules on any set of tanks: where they may stand, and what a
// shell's blast does to them. The game plays them on its own tanks; the
// computer players' tournament on tanks of its own.

// 1 if (x, z) lies at least 8 along x and at least 8 along z from each of
// tanks[0..count-1].
int IsFarFrom(const cCzolg tanks[], int count, int x, int z);

// Places tanks[0..count-1] on whole grid points 5..95 at the terrain's height,
// each far from the earlier ones, drawing with std::rand. Starts again from
// the first tank whenever the rule leaves no place for the next one; returns
// the number of attempts.
int PlaceTanksOn(cCzolg tanks[], int count, const cTeren& terrain);

// The blast of the shooter's shell where it landed: damage to every tank in
// the bomb's reach, pay to the shooter for every other one, and every tank
// set back on the ground, which the crater may have lowered.
void ResolveBlast(cCzolg tanks[], int count, int shooter, const cTeren& terrain);
