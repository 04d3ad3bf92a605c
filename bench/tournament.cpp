// Computer players against each other in seeded rounds of the game's own
// world: the game's terrain, placement and wind draws, turns in slot order,
// the real shell's flight, damage, craters and deaths. Prints one line per
// level and one per pair of neighbouring levels; the same seed prints the
// same figures again, think times aside.
// Usage: tarnok_tournament [--rounds N] [--seed S] [--cpu-time]
// Think times are the wall clock's, what a player would wait; --cpu-time
// counts the thinking thread's processor time instead, which other programs
// on a busy machine do not inflate.
#include "ai/aimSearch.h"
#include "ai/brain.h"
#include "world/cCzolg.h"
#include "world/cTeren.h"
#include "world/cWiatr.h"
#include "world/roundRules.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <map>
#include <random>
#include <utility>
#include <vector>

namespace {

constexpr int LEVELS = 4;
const char* const levelNames[LEVELS] = {"łatwy", "średni", "trudny", "mistrz"};

// Where each round's terrain seed comes from: the tournament's own sequence.
unsigned roundSeed = 0;
unsigned RoundSeed() { return roundSeed; }

struct LevelFigures {
    int firstShotChances = 0;  // rounds where some aim would have hit with the level's first shot
    int firstShotHits = 0;
    long long shotsToHitSum = 0;
    int hitTargets = 0;
    long long shots = 0;
    long long selfHurt = 0;
    std::vector<double> thinkMs; // eight-tank rounds only
};

struct World {
    cTeren terrain;
    cCzolg tanks[8];
    cWiatr wind; // never reset: rounds only change it, as in the game
    int count = 0;
};

// A round starts as the game starts one: new terrain, placement, wind change.
// The tanks come fresh, with a few larger bombs as if they had shopped.
void SetUpRound(World& w, std::mt19937& random)
{
    for (int i = 0; i < w.count; ++i) {
        w.tanks[i].ResetForNewGame();
        for (int k = 1; k < 4; ++k)
            w.tanks[i].stock[k] = static_cast<int>(random() % 2);
    }
    w.terrain.Generate();
    PlaceTanksOn(w.tanks, w.count, w.terrain);
    const int s = std::rand() % 10;
    const int d = std::rand() % 360;
    w.wind.Change(d, s);
}

int LiveTanks(const World& w)
{
    int n = 0;
    for (int i = 0; i < w.count; ++i)
        n += w.tanks[i].IsAlive();
    return n;
}

bool cpuTime = false;

double NowMs()
{
    if (cpuTime) {
        timespec t;
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
    }
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// Plays one round; returns the slot left standing, or -1 for none or a draw
// by the shot limit.
int PlayRound(World& w, const int levels[], int firstTurn, int shotLimit, Brain& brain, std::mt19937& random,
              LevelFigures figures[], bool timeThinking)
{
    brain.Forget();
    bool firstShotDone[LEVELS] = {};
    std::map<std::pair<int, int>, int> shotsAt; // (shooter, target) -> shots until its first hit
    int turn = firstTurn;
    for (int shot = 0; shot < shotLimit && LiveTanks(w) > 1; ++shot) {
        while (!w.tanks[turn].IsAlive())
            turn = (turn + 1) % w.count;
        const BrainLevel level = static_cast<BrainLevel>(levels[turn]);
        LevelFigures& f = figures[levels[turn]];

        double started = NowMs();
        const Aim chosen = brain.Choose(Sight::Of(w.terrain, w.tanks, w.count, turn, w.wind), level);
        if (timeThinking)
            f.thinkMs.push_back(NowMs() - started);
        const cWiatr chosenWind = w.wind;
        // The barrel turns for a second or four; the wind drifts once a second.
        const int seconds = 1 + static_cast<int>(random() % 4);
        for (int s = 0; s < seconds; ++s)
            w.wind.Drift();
        const Sight atFiring = Sight::Of(w.terrain, w.tanks, w.count, turn, w.wind);
        started = NowMs();
        const Aim aim = brain.AtFiring(atFiring, level, chosen);
        // Only "mistrz" thinks again at firing, and only when the wind drifted.
        const bool drifted = w.wind.direction != chosenWind.direction || w.wind.strength != chosenWind.strength;
        if (timeThinking && level == BrainLevel::Mistrz && drifted)
            f.thinkMs.push_back(NowMs() - started);

        const bool first = !firstShotDone[levels[turn]];
        firstShotDone[levels[turn]] = true;
        const bool couldHit = first && SomeAimHits(atFiring);

        int energyBefore[8];
        for (int i = 0; i < w.count; ++i)
            energyBefore[i] = w.tanks[i].IsAlive() ? w.tanks[i].energy : -1;
        cCzolg& tank = w.tanks[turn];
        tank.heading = aim.heading;
        tank.elevation = aim.elevation;
        tank.power = aim.power;
        tank.Fire(aim.kind);
        int result = 1;
        while (tank.inFlight)
            result = tank.Draw(w.wind, w.terrain);
        if (result == 2)
            ResolveBlast(w.tanks, w.count, turn, w.terrain);
        brain.NoteLanding(turn, tank.shell.x, tank.shell.z, result);

        auto lost = [&](int i) {
            return energyBefore[i] >= 0 && (w.tanks[i].energy < energyBefore[i] || !w.tanks[i].IsAlive());
        };
        bool hit = false;
        for (int i = 0; i < w.count; ++i)
            hit = hit || (i != turn && lost(i));
        f.shots += 1;
        f.selfHurt += lost(turn) ? 1 : 0;
        if (couldHit) {
            f.firstShotChances += 1;
            f.firstShotHits += hit ? 1 : 0;
        }
        const int target = brain.TargetOf(turn);
        if (target >= 0 && target != turn) {
            auto key = std::make_pair(turn, target);
            auto it = shotsAt.find(key);
            if (it == shotsAt.end() || it->second > 0) {
                int& n = shotsAt[key];
                n += 1;
                if (lost(target)) {
                    f.shotsToHitSum += n;
                    f.hitTargets += 1;
                    n = -1; // hit: counted once
                }
            }
        }
        turn = (turn + 1) % w.count;
    }
    if (LiveTanks(w) != 1)
        return -1;
    for (int i = 0; i < w.count; ++i)
        if (w.tanks[i].IsAlive())
            return i;
    return -1;
}

double Percentile(std::vector<double> v, double p)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const size_t k = std::min(v.size() - 1, static_cast<size_t>(p * (v.size() - 1) + 0.5));
    return v[k];
}

} // namespace

int main(int argc, char** argv)
{
    int rounds = 200;
    unsigned seed = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--cpu-time") == 0)
            cpuTime = true;
        else if (std::strcmp(argv[i], "--rounds") == 0 && i + 1 < argc)
            rounds = std::max(1, std::atoi(argv[++i]));
        else if (std::strcmp(argv[i], "--seed") == 0 && i + 1 < argc)
            seed = static_cast<unsigned>(std::strtoul(argv[++i], nullptr, 10));
    }
    cTeren::seedClock = RoundSeed;
    std::mt19937 random(seed);
    Brain brain(seed);
    LevelFigures figures[LEVELS];
    World w;
    unsigned roundNumber = 0;

    // Eight tanks, two of each level, their slots turned round each round:
    // the think times are measured here.
    const int eightRounds = std::max(1, rounds / 10);
    for (int r = 0; r < eightRounds; ++r) {
        w.count = 8;
        roundSeed = seed * 7919u + ++roundNumber;
        SetUpRound(w, random);
        int levels[8];
        for (int i = 0; i < 8; ++i)
            levels[i] = (i + r) % LEVELS;
        PlayRound(w, levels, 0, 64, brain, random, figures, true);
    }

    // Two players, the stronger level against the next weaker, first turn alternating.
    int wins[LEVELS] = {};
    for (int stronger = LEVELS - 1; stronger > 0; --stronger) {
        for (int r = 0; r < rounds; ++r) {
            w.count = 2;
            roundSeed = seed * 7919u + ++roundNumber;
            SetUpRound(w, random);
            const int strongSlot = r % 2;
            int levels[2];
            levels[strongSlot] = stronger;
            levels[1 - strongSlot] = stronger - 1;
            if (PlayRound(w, levels, 0, 60, brain, random, figures, false) == strongSlot)
                wins[stronger] += 1;
        }
    }

    for (int l = LEVELS - 1; l >= 0; --l) {
        const LevelFigures& f = figures[l];
        std::printf("level %s: first-shot hits %.1f %%, shots to hit %.2f, self-damage %.1f %%, "
                    "think p50 %.0f ms p99 %.0f ms\n",
                    levelNames[l], f.firstShotChances ? 100.0 * f.firstShotHits / f.firstShotChances : 0.0,
                    f.hitTargets ? static_cast<double>(f.shotsToHitSum) / f.hitTargets : 0.0,
                    f.shots ? 100.0 * f.selfHurt / f.shots : 0.0, Percentile(f.thinkMs, 0.5),
                    Percentile(f.thinkMs, 0.99));
    }
    for (int l = LEVELS - 1; l > 0; --l)
        std::printf("%s beats %s in %.1f %% of %d rounds\n", levelNames[l], levelNames[l - 1],
                    100.0 * wins[l] / rounds, rounds);
    return 0;
}
