#include "view/gameInputs.h"

#include <algorithm>

GameInputs gameInputs;

void GameInputs::Attach(std::function<void(const InputBody&)> applyInput, std::function<std::uint32_t()> digestNow,
                        std::function<int()> flightStepNow)
{
    apply = std::move(applyInput);
    digest = std::move(digestNow);
    flightStep = std::move(flightStepNow);
}

InputStamp GameInputs::StampNow() const
{
    return {Turn(), FlightStep(), MsIntoTurn()};
}

int GameInputs::MsIntoTurn() const
{
    const qint64 ms = msBeforeClock + (turnClock.isValid() ? turnClock.elapsed() : 0);
    return static_cast<int>(std::min<qint64>(ms, 1000000000));
}

void GameInputs::Keep(const InputBody& body)
{
    if (recording && gameRuns)
        stream.push_back({StampNow(), body});
}

void GameInputs::Keep(const Input& scripted)
{
    if (recording && gameRuns)
        stream.push_back(scripted);
}

bool GameInputs::Give(const InputBody& input)
{
    if (playing || !apply)
        return false;
    Keep(input);
    apply(input);
    return true;
}

template <class T>
bool GameInputs::TakeScripted(T* out)
{
    while (next < script.size()) {
        const Input& in = script[next];
        if (const T* wanted = std::get_if<T>(&in.body)) {
            *out = *wanted;
            ++next;
            Keep(in);
            return true;
        }
        // What came by itself in the running turn outside a flight and was not
        // yet given (the wind's ticks behind the shop's dialogs) goes first.
        if (ArrivesByItself(in.body) && in.stamp.step < 0 && in.stamp.turn == Turn() && FlightStep() < 0) {
            ++next;
            Keep(in);
            if (apply)
                apply(in.body);
            continue;
        }
        Diverge();
        return false;
    }
    EndOfScript();
    return false;
}

NewGameInput GameInputs::BeginGame(const NewGameInput& live)
{
    NewGameInput game = live;
    if (playing && !scriptGameBegun) {
        next = 0;
        if (!script.empty() && std::holds_alternative<NewGameInput>(script.front().body)) {
            game = std::get<NewGameInput>(script.front().body);
            next = 1;
            scriptGameBegun = true;
        } else {
            Diverge();
        }
    } else {
        StopPlayback(); // a new game asked for while watching: watching ends
        divergedAt = -1; // a game of the players' own: nothing has gone apart
    }
    stream.clear();
    turn = -1;
    msBeforeClock = 0;
    turnClock.start();
    gameRuns = true;
    if (playing)
        Keep(script.front());
    else
        Keep(game);
    return game;
}

SeatsInput GameInputs::GameSeats(const SeatsInput& live)
{
    SeatsInput seatsNow = live;
    if (!playing || !TakeScripted(&seatsNow))
        Keep(seatsNow);
    return seatsNow;
}

std::uint32_t GameInputs::RoundSeed(const std::function<std::uint32_t()>& live)
{
    RoundSeedInput seed;
    if (playing && TakeScripted(&seed))
        return seed.seed;
    seed.seed = live();
    Keep(seed);
    return seed.seed;
}

ShopVisitInput GameInputs::ShopVisit(int slot, const std::function<ShopVisitInput()>& live)
{
    ShopVisitInput visit;
    if (playing && TakeScripted(&visit)) {
        if (visit.slot == slot)
            return visit;
        Diverge();
    }
    visit = live();
    Keep(visit);
    return visit;
}

void GameInputs::TurnBegins()
{
    ++turn;
    msBeforeClock = 0;
    turnClock.start();
    const std::uint32_t now = digest ? digest() : 0;
    TurnStartInput recorded;
    if (playing && TakeScripted(&recorded)) {
        if (recorded.digest != now)
            Diverge();
        return;
    }
    Keep(TurnStartInput{now});
}

bool GameInputs::GameEnds()
{
    const bool live = gameRuns && !playing;
    if (playing)
        StopPlayback();
    gameRuns = false;
    return live;
}

void GameInputs::Resume(InputStream savedStream, int savedTurn, int msIntoSavedTurn)
{
    StopPlayback();
    stream = std::move(savedStream);
    turn = savedTurn;
    msBeforeClock = msIntoSavedTurn;
    turnClock.start();
    gameRuns = true;
}

void GameInputs::StartPlayback(InputStream scriptToPlay, bool finished)
{
    script = std::move(scriptToPlay);
    next = 0;
    playing = true;
    scriptGameBegun = false;
    scriptFinished = finished;
    divergedAt = -1;
}

void GameInputs::StopPlayback()
{
    playing = false;
    scriptGameBegun = false;
    script.clear();
    next = 0;
}

void GameInputs::Diverge()
{
    if (!playing)
        return;
    divergedAt = Turn();
    StopPlayback();
    gameRuns = false; // what runs now is neither the record nor a game of its own
    if (onDiverged)
        onDiverged(divergedAt);
}

// An unfinished game's record is played to its end: from there it goes on
// live. A finished one keeps playing until its results.
void GameInputs::EndOfScript()
{
    if (!playing || scriptFinished)
        return;
    StopPlayback();
    if (onScriptDone)
        onScriptDone();
}

bool GameInputs::GiveDueInput(int flightStep, qint64 pacedMsIntoTurn, bool unpaced)
{
    if (!playing || !scriptGameBegun)
        return false;
    if (next >= script.size()) {
        EndOfScript();
        return false;
    }
    const Input& in = script[next];
    if (!ArrivesByItself(in.body) || in.stamp.turn != Turn())
        return false; // the game asks for it at its point, or its turn has not come
    if (in.stamp.step >= 0 ? flightStep != in.stamp.step
                           : flightStep >= 0 || (!unpaced && pacedMsIntoTurn < in.stamp.msIntoTurn))
        return false;
    ++next;
    Keep(in);
    if (apply)
        apply(in.body);
    return true;
}
