#pragma once

#include "world/cTeren.h"

#include <random>

// Random fields of the tests' own, drawn from a seeded generator (never the
// C library's): rolling hills of a few waves, pits and walls, so that flights
// meet slopes, cliffs and the field's edge.
void RollingField(cTeren& terrain, std::mt19937& random);
