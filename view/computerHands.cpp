#include "view/computerHands.h"

#include "doc/kratDoc.h"
#include "view/brainWorker.h"
#include "res/resource.h"
#include "view/gameState.h"

#include <QApplication>

#include <algorithm>
#include <chrono>
#include <cstdlib>

namespace {

std::uint32_t ClockSeed()
{
    return static_cast<std::uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count());
}

constexpr int STEP = 5; // what one command changes: degrees or power units

// Whole steps from one heading to another, the short way round, and which way.
int HeadingSteps(int from, int to, bool* right)
{
    const int d = ((to - from) % 360 + 360) % 360;
    *right = d <= 180;
    return (*right ? d : 360 - d) / STEP;
}

Sight SightNow()
{
    return Sight::Of(terrain, tanks, playerCount, currentPlayer, wind);
}

bool SameAim(const Aim& a, const Aim& b)
{
    return a.heading == b.heading && a.elevation == b.elevation && a.power == b.power && a.kind == b.kind;
}

} // namespace

std::uint32_t (*ComputerHands::seedSource)() = ClockSeed;

ComputerHands::ComputerHands(CKratDoc& doc, std::function<void(int id)> runCommand, std::function<void(int kind)> choose,
                             std::function<bool()> held)
    : document(doc), command(std::move(runCommand)), chooseBomb(std::move(choose)), turnHeld(std::move(held)),
      brain(new BrainWorker(seedSource()))
{
    timer.setObjectName(QStringLiteral("handsTimer"));
    timer.setInterval(TICK_MS);
    connect(&timer, &QTimer::timeout, this, &ComputerHands::OnTick);
    connect(brain, &BrainWorker::answered, this, &ComputerHands::OnAnswer);
}

ComputerHands::~ComputerHands()
{
    timer.stop();
    delete brain;
}

void ComputerHands::ReseedBrain(std::uint32_t seed)
{
    brain->Reseed(seed);
}

void ComputerHands::Play(BrainLevel newLevel)
{
    level = newLevel;
    slot = currentPlayer;
    stage = Stage::Thinking;
    ticks = 0;
    nextStepTick = 0;
    lastLooks = 0;
    brain->Choose(++request, SightNow(), level);
    timer.start();
}

void ComputerHands::Stop()
{
    stage = Stage::Idle;
    slot = -1;
    ++request; // an answer still on its way finds no one waiting for it
    timer.stop();
}

void ComputerHands::Forget()
{
    brain->Forget();
}

void ComputerHands::ShellEnded(int result, float x, float z)
{
    if (stage != Stage::Fired || slot != currentPlayer)
        return;
    brain->NoteLanding(slot, x, z, result);
    stage = Stage::Idle;
    slot = -1;
}

// The hands wait while a dialog is open, and touch nothing once the turn has
// been shot or is being replaced by a new round or game.
bool ComputerHands::MayAct() const
{
    if (QApplication::activeModalWidget() || turnHeld())
        return false;
    return currentPlayer == slot && shotFired == 0 && tanks[slot].hasFired == 0;
}

void ComputerHands::OnTick()
{
    if (!IsPlaying()) {
        timer.stop();
        return;
    }
    if (!MayAct())
        return;
    ++ticks;
    switch (stage) {
    case Stage::Aiming:
        if (ticks < nextStepTick)
            return;
        if (StepTowardTarget())
            nextStepTick = ticks + ticksPerStep;
        else
            TakeLastLook();
        return;
    case Stage::Firing:
        if (ticks >= SHORTEST_TURN_TICKS)
            Fire();
        return;
    default:
        return; // thinking, or the last look: the brain has not answered yet
    }
}

void ComputerHands::OnAnswer(int answerTo, Aim aim)
{
    if (answerTo != request)
        return;
    if (stage == Stage::LastLook && SameAim(aim, target)) {
        stage = Stage::Firing;
        return;
    }
    if (stage != Stage::Thinking && stage != Stage::LastLook)
        return;
    target = aim;
    // Beyond the barrel's and the power's limits no step would get closer.
    target.elevation = std::clamp(target.elevation, 0, 90);
    target.power = std::clamp(target.power, 0, 100);
    stage = Stage::Aiming;
    PlanSteps();
}

// The steps spread over what is left of the turn's aiming time, a few ticks
// apart at most, so that a long aim still ends in time and a short one is seen.
void ComputerHands::PlanSteps()
{
    const cCzolg& tank = tanks[slot];
    bool right = false;
    int steps = HeadingSteps(tank.heading, target.heading, &right);
    steps += std::abs(target.elevation - tank.elevation) / STEP;
    steps += std::abs(target.power - tank.power) / STEP;
    steps += 1; // the bomb
    const int start = std::max(ticks, PAUSE_TICKS);
    ticksPerStep = std::clamp((LONGEST_AIM_TICKS - start) / steps, 1, SLOWEST_STEP_TICKS);
    nextStepTick = std::max(nextStepTick, start);
}

bool ComputerHands::StepTowardTarget()
{
    const cCzolg& tank = tanks[slot];
    bool right = false;
    if (HeadingSteps(tank.heading, target.heading, &right) > 0) {
        command(right ? ID_BARREL_RIGHT : ID_BARREL_LEFT);
        return true;
    }
    const int rise = target.elevation - tank.elevation;
    if (rise >= STEP || rise <= -STEP) {
        command(rise > 0 ? ID_BARREL_UP : ID_BARREL_DOWN);
        return true;
    }
    const int more = target.power - tank.power;
    if (more >= STEP || more <= -STEP) {
        command(more > 0 ? ID_POWER_UP : ID_POWER_DOWN);
        return true;
    }
    // The bomb as the selector picks it: shown in the list, chosen for the
    // player, and only a kind the tank holds.
    const int kind = target.kind;
    if (kind >= 0 && kind < 4 && kind != document.GetSelectedWeapon() && document.tankSnapshot.stock[kind] >= 1) {
        chooseBomb(kind);
        return true;
    }
    return false;
}

// Just before the shot the brain looks once more (the wind may have drifted
// meanwhile); a changed aim is stepped to, and after two looks it fires.
void ComputerHands::TakeLastLook()
{
    if (lastLooks >= 2) {
        stage = Stage::Firing;
        return;
    }
    ++lastLooks;
    stage = Stage::LastLook;
    brain->AtFiring(++request, SightNow(), level, target);
}

void ComputerHands::Fire()
{
    stage = Stage::Fired;
    timer.stop();
    command(ID_FIRE);
}
