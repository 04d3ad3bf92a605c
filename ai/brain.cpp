#include "ai/brain.h"

#include "ai/aimSearch.h"
#include "world/blast.h"
#include "world/bombKinds.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// How each level errs as a person does: it misreads the wind's direction by
// about windDirectionSigma degrees, misjudges the power so that its first
// shell lands about rangeSigma of the distance long or short (and sideSigma
// aside), and after every shell moves its aim by gain of the miss, with a
// hand that shakes by tremor units.
struct Character {
    float windDirectionSigma;
    float rangeSigma;
    float sideSigma;
    float gain;
    float tremor;
};

Character CharacterOf(BrainLevel level)
{
    switch (level) {
    case BrainLevel::Latwy: return {35.0f, 0.65f, 0.22f, 0.30f, 3.5f};
    case BrainLevel::Sredni: return {20.0f, 0.32f, 0.12f, 0.50f, 2.5f};
    case BrainLevel::Trudny: return {10.0f, 0.18f, 0.07f, 0.75f, 1.5f};
    case BrainLevel::Mistrz: break;
    }
    return {0, 0, 0, 1, 0};
}

// A kill outweighs any damage, damage outweighs pay, and a dearer bomb is
// spent only for a few points of energy more.
long long ValueOf(const Weighing& w, int kind)
{
    return w.kills * 1000000LL + w.taken * 1000LL + w.pay / 10 - BombKindOf(kind).price / 2;
}

// Farther than this from the shooter, a person's shell is surely clear of him.
constexpr float SAFETY_MARGIN = 3.0f;

float Distance(float ax, float az, float bx, float bz)
{
    return std::sqrt((ax - bx) * (ax - bx) + (az - bz) * (az - bz));
}

int LargestStockedReach(const Sight::Seat& seat)
{
    int reach = BlastReach(0);
    for (int k = 0; k < BOMB_KINDS; ++k)
        if (seat.stock[k] > 0)
            reach = std::max(reach, BlastReach(k));
    return reach;
}

int FirstStockedKind(const Sight::Seat& seat)
{
    for (int k = 0; k < BOMB_KINDS; ++k)
        if (seat.stock[k] > 0)
            return k;
    return 0;
}

} // namespace

Brain::Brain(std::uint32_t seed) : random(seed) {}

void Brain::Reseed(std::uint32_t seed)
{
    random.seed(seed);
}

void Brain::Forget()
{
    for (Memory& m : memory)
        m = Memory();
}

int Brain::TargetOf(int shooter) const
{
    return memory[shooter].target;
}

void Brain::NoteLanding(int shooter, float x, float z, int result)
{
    Memory& m = memory[shooter];
    m.landed = result == 2 || result == 0;
    m.landX = x;
    m.landZ = z;
}

float Brain::Normal(float sigma)
{
    if (sigma <= 0)
        return 0;
    return std::normal_distribution<float>(0.0f, sigma)(random);
}

Aim Brain::Choose(const Sight& sight, BrainLevel level)
{
    Memory& m = memory[sight.shooter];
    m.chosenWindDirection = sight.windDirection;
    m.chosenWindStrength = sight.windStrength;
    if (level == BrainLevel::Mistrz)
        return ChooseExact(sight);
    return ChooseAsPerson(sight, level);
}

Aim Brain::AtFiring(const Sight& sight, BrainLevel level, const Aim& chosen)
{
    const Memory& m = memory[sight.shooter];
    if (level != BrainLevel::Mistrz)
        return chosen;
    if (sight.windDirection == m.chosenWindDirection && sight.windStrength == m.chosenWindStrength)
        return chosen;
    // The drifted wind still brings the chosen shell down where it does as
    // much: one flight tells, and the whole search runs only when it does not.
    if (m.chosenValue >= 0) {
        const FlightEnd end = FlyAim(sight, chosen, sight.windDirection, sight.windStrength);
        if (end.result == 2) {
            const Weighing w = WeighBlast(sight, end.x, end.z, chosen.kind);
            if (!w.hurtsShooter && w.taken > 0 && ValueOf(w, chosen.kind) >= m.chosenValue)
                return chosen;
        }
    }
    return Choose(sight, level);
}

// The best blast the grid offers; without one, the safe landing nearest an
// opponent; without that, any aim that spares the shooter.
Aim Brain::ChooseExact(const Sight& sight)
{
    const Sight::Seat& self = sight.seats[sight.shooter];
    const AimGrid grid = GridFrom(self);
    const int fallbackKind = FirstStockedKind(self);
    const float selfReach = static_cast<float>(LargestStockedReach(self));

    long long bestValue = std::numeric_limits<long long>::min();
    Aim best{self.heading, self.elevation, self.power, fallbackKind};
    int bestTarget = -1;
    float nearest = std::numeric_limits<float>::max();
    Aim nearestAim = best;
    int nearestTarget = -1;
    bool anySafe = false;

    ForEachLanding(sight, grid, sight.windDirection, sight.windStrength, [&](const Aim& aim, const FlightEnd& end) {
        if (end.result != 2) {
            if (!anySafe) { // leaving the field hurts no one
                anySafe = true;
                nearestAim = aim;
                nearestAim.kind = fallbackKind;
            }
            return;
        }
        // Far from every tank nothing is hit: only the fallback's distance counts.
        bool nearTank = false;
        for (int i = 0; i < sight.playerCount && !nearTank; ++i)
            nearTank = std::fabs(end.x - sight.seats[i].x) < selfReach && std::fabs(end.z - sight.seats[i].z) < selfReach;
        if (nearTank) {
            for (int kind = 0; kind < BOMB_KINDS; ++kind) {
                if (self.stock[kind] <= 0)
                    continue;
                const Weighing w = WeighBlast(sight, end.x, end.z, kind);
                if (w.hurtsShooter || w.taken <= 0)
                    continue;
                const long long value = ValueOf(w, kind);
                if (value > bestValue) {
                    bestValue = value;
                    best = aim;
                    best.kind = kind;
                    bestTarget = w.mostHurt;
                }
            }
        }
        if (bestTarget >= 0)
            return; // a hit is known: the fallback will not be needed
        const Weighing safe = WeighBlast(sight, end.x, end.z, fallbackKind);
        if (safe.hurtsShooter)
            return;
        for (int i = 0; i < sight.playerCount; ++i) {
            if (i == sight.shooter || !sight.seats[i].alive)
                continue;
            const float d = Distance(end.x, end.z, sight.seats[i].x, sight.seats[i].z);
            if (d < nearest) {
                anySafe = true;
                nearest = d;
                nearestAim = aim;
                nearestAim.kind = fallbackKind;
                nearestTarget = i;
            }
        }
    });

    Memory& m = memory[sight.shooter];
    m.landed = false;
    if (bestTarget >= 0) {
        m.target = bestTarget;
        m.chosenValue = bestValue;
        return best;
    }
    m.target = nearestTarget;
    m.chosenValue = -1;
    return nearestAim;
}

// The opponent a person goes for: the nearest, the weaker a little nearer.
int Brain::PickTarget(const Sight& sight)
{
    const Sight::Seat& self = sight.seats[sight.shooter];
    int target = -1;
    float bestCost = std::numeric_limits<float>::max();
    for (int i = 0; i < sight.playerCount; ++i) {
        const Sight::Seat& seat = sight.seats[i];
        if (i == sight.shooter || !seat.alive)
            continue;
        const float cost = Distance(self.x, self.z, seat.x, seat.z) + seat.energy / 5.0f
                           + std::uniform_real_distribution<float>(0.0f, 10.0f)(random);
        if (cost < bestCost) {
            bestCost = cost;
            target = i;
        }
    }
    return target;
}

// A person reads the wind off the arrowheads, misjudges the power, and aims
// at a point corrected by where the last shell on the same target landed.
Aim Brain::ChooseAsPerson(const Sight& sight, BrainLevel level)
{
    const Character c = CharacterOf(level);
    const Sight::Seat& self = sight.seats[sight.shooter];
    Memory& m = memory[sight.shooter];

    const bool keep = m.target >= 0 && m.target < sight.playerCount && m.target != sight.shooter
                      && sight.seats[m.target].alive;
    if (!keep) {
        m.target = PickTarget(sight);
        if (m.target < 0)
            return ChooseExact(sight);
        const Sight::Seat& t = sight.seats[m.target];
        const float distance = Distance(self.x, self.z, t.x, t.z);
        const float ux = distance > 0 ? (t.x - self.x) / distance : 0.0f;
        const float uz = distance > 0 ? (t.z - self.z) / distance : 1.0f;
        const float along = Normal(c.rangeSigma * distance);
        const float aside = Normal(c.sideSigma * distance);
        m.aimX = t.x + ux * along - uz * aside;
        m.aimZ = t.z + uz * along + ux * aside;
        m.windDirectionError = static_cast<int>(std::lround(Normal(c.windDirectionSigma)));
        m.windStrengthGuess = static_cast<int>(random() % 2);
    } else if (m.landed) {
        const Sight::Seat& t = sight.seats[m.target];
        m.aimX -= c.gain * (m.landX - t.x) - Normal(c.tremor);
        m.aimZ -= c.gain * (m.landZ - t.z) - Normal(c.tremor);
    }
    m.landed = false;

    // One arrowhead shows two points of strength, rounded up.
    const int arrowheads = sight.windStrength / 2 + sight.windStrength % 2;
    const int readStrength = std::max(0, 2 * arrowheads - (m.windStrengthGuess == 0 ? 1 : 0));
    const int readDirection = sight.windDirection + m.windDirectionError;

    const AimGrid grid = GridFrom(self);
    const float clear = static_cast<float>(LargestStockedReach(self)) + SAFETY_MARGIN;
    constexpr int CANDIDATES = 8;
    struct Candidate { float miss; Aim aim; };
    Candidate candidates[CANDIDATES];
    int count = 0;
    ForEachLanding(sight, grid, readDirection, readStrength, [&](const Aim& aim, const FlightEnd& end) {
        if (end.result != 2 || Distance(end.x, end.z, self.x, self.z) < clear)
            return;
        const float miss = Distance(end.x, end.z, m.aimX, m.aimZ);
        if (count == CANDIDATES && miss >= candidates[count - 1].miss)
            return;
        int k = count < CANDIDATES ? count++ : CANDIDATES - 1;
        while (k > 0 && candidates[k - 1].miss > miss) {
            candidates[k] = candidates[k - 1];
            --k;
        }
        candidates[k] = Candidate{miss, aim};
    });

    // The shooter knows where he stands: an aim the real wind would bring
    // down on him is never fired. The bomb is the one that does most where
    // the shell is meant to land.
    for (int n = 0; n < count; ++n) {
        Aim aim = candidates[n].aim;
        const FlightEnd real = FlyAim(sight, aim, sight.windDirection, sight.windStrength);
        long long bestValue = std::numeric_limits<long long>::min();
        int bestKind = -1;
        for (int k = 0; k < BOMB_KINDS; ++k) {
            if (self.stock[k] <= 0)
                continue;
            if (real.result == 2 && WeighBlast(sight, real.x, real.z, k).hurtsShooter)
                continue;
            const long long value = ValueOf(WeighBlast(sight, m.aimX, m.aimZ, k), k);
            if (value > bestValue) {
                bestValue = value;
                bestKind = k;
            }
        }
        if (bestKind >= 0) {
            aim.kind = bestKind;
            return aim;
        }
    }
    const int target = m.target;
    const Aim safe = ChooseExact(sight);
    m.target = target;
    return safe;
}
