#include "view/recordPlayer.h"

#include <QApplication>

namespace {

constexpr int LOOK_MS = 10; // how often playback looks for what is due: finer than a person's keys

} // namespace

RecordPlayer::RecordPlayer(std::function<void(qint64)> give) : giveDue(std::move(give))
{
    timer.setObjectName(QStringLiteral("playbackTimer"));
    timer.setInterval(LOOK_MS);
    connect(&timer, &QTimer::timeout, this, &RecordPlayer::OnTick);
}

void RecordPlayer::Start()
{
    pace = 1;
    TurnBegan();
    timer.start();
}

void RecordPlayer::Stop()
{
    timer.stop();
}

void RecordPlayer::TurnBegan()
{
    pacedBeforeChange = 0;
    sincePaceChange.start();
}

void RecordPlayer::Faster()
{
    pacedBeforeChange = PacedMsIntoTurn();
    sincePaceChange.start();
    pace = pace >= MAX_PACE ? 1 : pace * 2;
}

qint64 RecordPlayer::PacedMsIntoTurn() const
{
    return pacedBeforeChange + (sincePaceChange.isValid() ? sincePaceChange.elapsed() * pace : 0);
}

// While a dialog is open (the results, the help) the recorded game waits, as
// the players did.
void RecordPlayer::OnTick()
{
    if (QApplication::activeModalWidget())
        return;
    giveDue(PacedMsIntoTurn());
}
