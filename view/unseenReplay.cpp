#include "view/unseenReplay.h"

#include "doc/kratDoc.h"
#include "view/gameInputs.h"
#include "view/gameSnapshots.h"
#include "view/gameState.h"
#include "view/kratView.h"

#include <memory>
#include <variant>

namespace {

// Far more frames than any record holds: a replay that goes on past them is stuck.
constexpr long long MAX_FRAMES = 50000000;

} // namespace

ReplayOutcome ReplayUnseen(const GameRecord& record)
{
    ReplayOutcome outcome;
    const NewGameInput* numbers = record.stream.empty() ? nullptr : std::get_if<NewGameInput>(&record.stream.front().body);
    if (!numbers)
        return outcome;
    CKratDoc document(CKratDoc::FromRecord{numbers->players, numbers->rounds});
    auto view = std::make_unique<CKratView>(&document, nullptr, CKratView::Showing::Unseen);
    view->WatchRecord(record);
    while (gameInputs.Playing() && view->FrameCount() < MAX_FRAMES) {
        if (view->RunRoundEndNow() || view->PlayFrame())
            continue;
        if (gameInputs.GiveDueInput(FlightStepNow(), 0, true)) {
            view->RequestFrame();
            continue;
        }
        break; // nothing left to play, or the record and the game went apart
    }
    outcome.divergedAt = gameInputs.DivergedAt();
    outcome.reachedEnd = outcome.divergedAt < 0 && !gameInputs.Playing();
    for (const Input& input : gameInputs.Stream())
        outcome.turnsChecked += std::holds_alternative<TurnStartInput>(input.body) ? 1 : 0;
    if (outcome.divergedAt >= 0)
        outcome.turnsChecked = outcome.divergedAt;
    outcome.endDigest = GameDigest(document);
    outcome.frames = view->FrameCount();
    gameInputs.StopPlayback();
    return outcome;
}
