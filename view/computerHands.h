#pragma once

#include "ai/brain.h"

#include <QObject>
#include <QTimer>

#include <cstdint>
#include <functional>

class BrainWorker;
class CKratDoc;

// The computer's hands on its turn: they ask the brain (on its own thread)
// where to aim, wait a moment as a person would, then turn and raise the
// barrel and set the power one step at a time through the view's own command
// handlers, pick the bomb as the bomb selector does, take a last look and
// fire. A turn lasts 1 to 4 seconds from its start to the shot, counted in
// ticks of the hands' timer; a tick does nothing while a dialog is open, a
// new game is due, the round is ending or the shot is already on its way.
class ComputerHands : public QObject {
    Q_OBJECT

public:
    static constexpr int TICK_MS = 40;
    static constexpr int PAUSE_TICKS = 15;      // a moment's look before the first step
    static constexpr int SHORTEST_TURN_TICKS = 27; // the shot on the 27th tick: over 1 s after the first
    static constexpr int LONGEST_AIM_TICKS = 82;   // the last step by 3.3 s: room for a last look's change
    static constexpr int SLOWEST_STEP_TICKS = 3;

    // The brain's own dice are seeded from here when the hands are made: the
    // clock in the game, never the C library's generator, whose draws belong
    // to the field, placement and wind. The soak points it at its own sequence.
    static std::uint32_t (*seedSource)();

    // command: gives a tank command (ID_BARREL_LEFT ... ID_FIRE) as the
    // toolbar does; chooseBomb: gives a bomb kind as the bomb selector does.
    // turnHeld: the game is between turns (a new game is due, the round is
    // ending), so nothing of a turn may act.
    ComputerHands(CKratDoc& document, std::function<void(int id)> command, std::function<void(int kind)> chooseBomb,
                  std::function<bool()> turnHeld);
    ~ComputerHands() override;

    // The current player's turn is the computer's, at the level: it starts
    // thinking from the field as it stands and the barrel where it is.
    void Play(BrainLevel level);
    // The turn is no longer the computer's (or is over): nothing of it acts again.
    void Stop();
    // A new round or game: the brain's corrections start afresh.
    void Forget();
    // The shell the hands fired has ended: 2 exploded at (x, z), 0 left the field.
    void ShellEnded(int result, float x, float z);

    // One tick of the hands' timer; tests hold the timer still and call it.
    void OnTick();

    bool IsPlaying() const { return stage != Stage::Idle && stage != Stage::Fired; }
    // The brain has answered and the hands know where they are going.
    bool HasAim() const { return stage == Stage::Aiming || stage == Stage::Firing; }
    bool HasFired() const { return stage == Stage::Fired; }
    // Waiting for the brain's answer (it thinks on its own thread).
    bool AwaitsBrain() const { return stage == Stage::Thinking || stage == Stage::LastLook; }
    Aim Target() const { return target; }
    int Slot() const { return slot; }
    BrainLevel Level() const { return level; }
    void ReseedBrain(std::uint32_t seed);

private:
    enum class Stage { Idle, Thinking, Aiming, LastLook, Firing, Fired };

    bool MayAct() const;
    void OnAnswer(int request, Aim aim);
    void PlanSteps();
    bool StepTowardTarget(); // false when the barrel, power and bomb are where the aim wants them
    void TakeLastLook();
    void Fire();

    CKratDoc& document;
    std::function<void(int id)> command;
    std::function<void(int kind)> chooseBomb;
    std::function<bool()> turnHeld;
    BrainWorker* brain;
    QTimer timer{this}; // a child named "handsTimer", so tests can hold it still
    Stage stage = Stage::Idle;
    BrainLevel level = BrainLevel::Sredni;
    int slot = -1;
    int request = 0;
    int ticks = 0;          // ticks of this turn in which the hands could act
    int nextStepTick = 0;
    int ticksPerStep = 1;
    int lastLooks = 0;
    Aim target{};
};
