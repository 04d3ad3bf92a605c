#pragma once

#include "record/gameSnapshot.h"

// Every field of a snapshot but the height field, in the one order the file
// keeps them: f(int&), f(float&), f(long long&) or f(std::uint32_t&) is called
// for each. Writing and reading walk the same list, so they cannot disagree.
template <class Snapshot, class F>
void ForEachTankField(Snapshot& t, F&& f)
{
    f(t.roundsWon); f(t.alive); f(t.energy);
    for (auto& s : t.stock)
        f(s);
    f(t.isCurrent); f(t.hasFired); f(t.flightStep); f(t.launchHeading); f(t.launchPower); f(t.bombKind);
    f(t.inFlight); f(t.shellKind); f(t.shellX); f(t.shellY); f(t.shellZ); f(t.x); f(t.y); f(t.z);
    for (auto& c : t.colour)
        f(c);
    f(t.elevation); f(t.heading); f(t.money); f(t.power); f(t.player);
}

template <class Snapshot, class F>
void ForEachSnapshotField(Snapshot& s, F&& f)
{
    f(s.playerCount); f(s.roundsLeft); f(s.currentPlayer); f(s.shotFired);
    for (auto& t : s.tanks)
        ForEachTankField(t, f);
    f(s.windStrength); f(s.windDirection); f(s.roundSeed); f(s.randomDraws); f(s.turn); f(s.msIntoTurn);
    for (auto& w : s.selectedWeapon)
        f(w);
    f(s.weaponPlayer);
    ForEachTankField(s.shownTank, f);
    f(s.shownStock); f(s.shownPower); f(s.shownVertAngle); f(s.shownHorizAngle);
    for (auto& c : s.seatChoice)
        f(c);
    for (auto& c : s.cameras) {
        f(c.pitch); f(c.yaw); f(c.roll); f(c.x); f(c.y); f(c.z);
    }
}
