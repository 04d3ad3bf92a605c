#pragma once

#include "record/inputs.h"

#include <QElapsedTimer>

#include <cstdint>
#include <functional>

// The one door through which every input reaches the game. Live play gives
// inputs here (a person's keys and buttons, the computer's hands, the wind
// timer, the seats' dialog) and the game asks here at its fixed points (a
// game's numbers and seats, a round's seed, a shop visit); each input is
// stamped with its turn, its flight step and its time into the turn, kept in
// the stream, and applied by the view. While a record plays, live inputs are
// refused and the same questions are answered from the record instead, so
// that live play and playback run the same code.
//
// Module-level, as the game state is: one game runs at a time.
class GameInputs {
public:
    // What applies an input to the game (the view), how a turn's state
    // digest is taken, and the steps the current shell has flown (-1 when
    // none flies). apply is called with every input let through.
    void Attach(std::function<void(const InputBody&)> apply, std::function<std::uint32_t()> digest,
                std::function<int()> flightStep);

    // A live input: stamped, kept and applied; false (nothing done) while a
    // record plays.
    bool Give(const InputBody& input);

    // The game's questions. live answers in live play; in playback the record does.
    NewGameInput BeginGame(const NewGameInput& live);
    SeatsInput GameSeats(const SeatsInput& live);
    std::uint32_t RoundSeed(const std::function<std::uint32_t()>& live);
    ShopVisitInput ShopVisit(int slot, const std::function<ShopVisitInput()>& live);
    // A turn has begun: its digest goes into the stream; in playback it is
    // held against the record's, and a difference stops the playback.
    void TurnBegins();
    // The game reached its results: its stream is complete. True when it was
    // played live (its record is worth keeping), false when it was a playback.
    bool GameEnds();

    int Turn() const { return turn < 0 ? 0 : turn; }
    int MsIntoTurn() const;
    bool GameRuns() const { return gameRuns; }
    const InputStream& Stream() const { return stream; }

    // A saved game goes on: its stream so far, at the turn and time it was saved.
    void Resume(InputStream savedStream, int savedTurn, int msIntoSavedTurn);

    // Playback: the next game begun is the record's, and its inputs come from
    // the script until it ends; then the game goes on live from there.
    // A finished record plays to its results; an unfinished one to its end,
    // and the game then goes on live from there.
    void StartPlayback(InputStream script, bool finished);
    void StopPlayback();
    bool Playing() const { return playing; }
    // The recorded input next in line that arrived by itself, if the game has
    // reached it: in a flight at its step, otherwise once its turn runs and
    // (unless unpaced) its time into the turn has come at the given pace.
    bool GiveDueInput(int flightStep, qint64 pacedMsIntoTurn, bool unpaced);
    // The script is played to its end.
    bool ScriptDone() const { return playing && next >= script.size(); }
    // The turn at which playback found the game and the record apart, or -1.
    int DivergedAt() const { return divergedAt; }
    // Told once when playback finds the game and the record apart.
    std::function<void(int turn)> onDiverged;
    // Told when the script has run out and the game goes on live.
    std::function<void()> onScriptDone;

    // Off: nothing is kept (the benchmark measures what keeping costs).
    bool recording = true;

private:
    void Keep(const InputBody& body);
    void Keep(const Input& scripted);
    InputStamp StampNow() const;
    // In playback: the script's next input, which must be of kind T (any
    // stale inputs of the running turn given first). False on a divergence
    // or at the script's end (then the game has gone live).
    template <class T>
    bool TakeScripted(T* out);
    void Diverge();
    void EndOfScript();

    std::function<void(const InputBody&)> apply;
    std::function<std::uint32_t()> digest;
    std::function<int()> flightStep;
    int FlightStep() const { return flightStep ? flightStep() : -1; }
    InputStream stream;
    int turn = -1;
    bool gameRuns = false;
    QElapsedTimer turnClock;
    qint64 msBeforeClock = 0; // a resumed turn's time before this run

    bool playing = false;
    bool scriptGameBegun = false;
    bool scriptFinished = false;
    InputStream script;
    std::size_t next = 0;
    int divergedAt = -1;
};

extern GameInputs gameInputs;
