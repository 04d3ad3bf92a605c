#include "ai/shopping.h"

#include <algorithm>

namespace {

// Of what it holds, the share of its money a level spends, in per cent, and
// the kinds it buys in the order it prefers them.
struct Policy {
    int share;
    int kinds[3];
    int kindCount;
};

Policy PolicyOf(BrainLevel level)
{
    switch (level) {
    case BrainLevel::Latwy: return {40, {1, 0, 0}, 1};
    case BrainLevel::Sredni: return {75, {2, 1, 0}, 2};
    case BrainLevel::Trudny: return {100, {3, 2, 1}, 3};
    case BrainLevel::Mistrz: return {100, {3, 2, 1}, 3};
    }
    return {0, {0, 0, 0}, 0};
}

// A round rarely gives a tank more than a handful of shots.
constexpr int SHOTS_PER_ROUND = 4;

} // namespace

Purchase ChoosePurchase(BrainLevel level, int money, const int stock[4], int roundsLeft, const ShopPrices& prices)
{
    Purchase bought;
    if (money <= 0 || roundsLeft <= 0)
        return bought;
    const Policy policy = PolicyOf(level);
    int budget = static_cast<int>(static_cast<long long>(money) * policy.share / 100);
    int held = std::max(0, stock[1]) + std::max(0, stock[2]) + std::max(0, stock[3]);
    const int wanted = roundsLeft * SHOTS_PER_ROUND;
    // "mistrz" keeps a medium bomb or two beside the large ones: a near miss
    // with a cheaper bomb still finishes a wounded tank.
    if (level == BrainLevel::Mistrz && prices.medium > 0) {
        while (bought.count[2] + stock[2] < 2 && budget >= prices.medium && held < wanted) {
            ++bought.count[2];
            budget -= prices.medium;
            ++held;
        }
    }
    for (int i = 0; i < policy.kindCount; ++i) {
        const int kind = policy.kinds[i];
        const int price = prices.Of(kind);
        if (price <= 0)
            continue;
        const int affordable = budget / price;
        const int count = std::max(0, std::min(affordable, wanted - held));
        bought.count[kind] += count;
        budget -= count * price;
        held += count;
    }
    return bought;
}

int CostOf(const Purchase& purchase, const ShopPrices& prices)
{
    long long cost = 0;
    for (int kind = 1; kind < 4; ++kind)
        cost += static_cast<long long>(purchase.count[kind]) * prices.Of(kind);
    return static_cast<int>(cost);
}
