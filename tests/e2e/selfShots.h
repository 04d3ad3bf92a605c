#pragma once

#include <QImage>
#include <QRect>
#include <QString>

// Turns of a real game played through X that surely end a round: each player
// on turn drops a shell onto his own tank (elevation 90, power 0), which an
// ordinary bomb leaves with 30 of its 100; the second such shell destroys it.
class SelfShots {
public:
    // The main window, player 1 on turn.
    explicit SelfShots(const QString& mainWindow);
    // The two players of a fresh round: three shots, the last destroying
    // player 1. True once the round end's first window is up; false as soon
    // as a step never comes to pass.
    bool EndTheRound(const QString& roundEndTitle);

private:
    // The player on turn aims at himself and fires; true once the next
    // player is on turn, as the status bar shows.
    bool AimAndShoot();
    // True once the game has served every key sent before: it opens the
    // help only after them, and paints the status bar before it serves the
    // key that closes the help again.
    bool KeysServed();

    QString mainWindow;
    QRect statusBar;
};
