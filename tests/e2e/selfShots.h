#pragma once

#include <QImage>
#include <QRect>
#include <QString>

// Turns of a real game played through X that surely end a round: each player
// on turn drops a shell onto his own tank (elevation 90, power 0), which an
// ordinary bomb leaves with 30 of its 100; the second such shell destroys it.
class SelfShots {
public:
    // The main window with the keyboard focus and player 1 on turn.
    explicit SelfShots(const QString& mainWindow);
    // Aims (once per tank) and fires; returns once the next player is on turn,
    // as the status bar shows.
    void Shoot(bool aim);
    // The two players of a fresh round: three shots, the last destroying
    // player 1. Returns once the round end's first window is up.
    bool EndTheRound(const QString& roundEndTitle);

private:
    // The status bar once it has stopped changing, after it has left `from`.
    QImage StatusBarAfter(const QImage& from) const;

    QRect statusBar;
    QImage shown;
};
