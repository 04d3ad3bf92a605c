#pragma once

#include "ai/brain.h"

class cCzolg;
class CSklepik;

// A computer's visit to the shop between rounds, without a dialog: it buys by
// its level's policy at the shop's prices, and the tank's money and stock
// change as a person's visit would leave them.
void ShopByItself(cCzolg& tank, BrainLevel level, int roundsLeft, const CSklepik& shop);
