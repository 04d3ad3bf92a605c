#pragma once

#include "ai/sight.h"

#include <cstdint>
#include <random>

// A computer player. Its predictions fly each shell with the barrel and the
// wind as they stand when it fires: the game's shell reads elevation, power
// and wind afresh at every step, so the game must leave a computer's barrel
// alone while its shell flies (the wind stands still during any flight).
class Brain {
public:
    explicit Brain(std::uint32_t seed);      // the game seeds it from the clock at start-up
    void Reseed(std::uint32_t seed);
    // The whole thinking for sight.shooter at the level. No globals touched, no rand()/srand();
    // one call at a time (the game may run it on a worker thread with its own Sight copy).
    Aim Choose(const Sight& sight, BrainLevel level);
    // The last look just before the shot: "mistrz" re-solves when the wind differs from the
    // one it chose with; the other levels return `chosen` unchanged.
    Aim AtFiring(const Sight& sight, BrainLevel level, const Aim& chosen);
    // Where the shooter's last shell ended (result 2 exploded at x,z; 0 left the field),
    // so that the next shot at the same target corrects from it.
    void NoteLanding(int shooter, float x, float z, int result);
    // A new round or a new game: corrections start afresh.
    void Forget();

    // The opponent the shooter's last choice went for, -1 before any.
    int TargetOf(int shooter) const;

private:
    // What a seat remembers of its shots at one target.
    struct Memory {
        int target = -1;
        float aimX = 0, aimZ = 0;      // where it means its shell to land
        int windDirectionError = 0;    // how it misreads the wind's direction
        int windStrengthGuess = 0;     // 0 takes the lower of the two strengths an arrowhead count shows
        bool landed = false;           // a landing since the last choice
        float landX = 0, landZ = 0;
        int chosenWindDirection = 0;   // the wind the last choice was made with
        int chosenWindStrength = 0;
        long long chosenValue = -1;    // what "mistrz" expected of its choice; -1 a miss
    };

    Aim ChooseExact(const Sight& sight);
    Aim ChooseAsPerson(const Sight& sight, BrainLevel level);
    int PickTarget(const Sight& sight);
    float Normal(float sigma);

    std::mt19937 random;
    Memory memory[8];
};
