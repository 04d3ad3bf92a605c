#pragma once

#include "ai/brain.h"

// What a computer player buys between rounds. Only kinds 1..3 (small, medium,
// large) are sold; the ordinary bomb is not. A purchase never costs more than
// the money the player has and never holds a negative count, whatever the
// prices; a kind whose price is not above 0 is not bought.
struct ShopPrices {
    int small;
    int medium;
    int large;
    int Of(int kind) const { return kind == 1 ? small : kind == 2 ? medium : kind == 3 ? large : 0; }
};

struct Purchase {
    int count[4] = {0, 0, 0, 0}; // by bomb kind; count[0] stays 0
};

// The levels' policies: "łatwy" spends under half its money on small bombs,
// "średni" about three quarters on medium and small ones, "trudny" and
// "mistrz" all of it, largest first ("mistrz" keeping a few medium bombs for
// near misses). No level buys more than it could fire in the rounds left.
Purchase ChoosePurchase(BrainLevel level, int money, const int stock[4], int roundsLeft, const ShopPrices& prices);

// The money a purchase takes at the prices.
int CostOf(const Purchase& purchase, const ShopPrices& prices);
