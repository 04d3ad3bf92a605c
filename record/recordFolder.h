#pragma once

#include <QDateTime>
#include <QString>

// Where records live: $XDG_DATA_HOME/tarnok3d (usually ~/.local/share/tarnok3d).
// A game left unfinished when the window closed is "ostatnia.tarnok"; every
// game played to its results is kept under its date and time, the newest
// FINISHED_GAMES_KEPT of them.
constexpr int FINISHED_GAMES_KEPT = 20;

QString RecordFolder();
QString LastGamePath();
QString FinishedGamePath(const QDateTime& when);
// Removes the oldest kept games beyond FINISHED_GAMES_KEPT; other files stay.
void PruneFinishedGames();
