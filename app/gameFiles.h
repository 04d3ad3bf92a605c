#pragma once

#include "record/recordFile.h"

#include <QString>

class CKratDoc;
class CKratView;
class QWidget;

// The game's files as a player meets them: "&Zapisz grę...", "&Wczytaj grę..."
// and "&Obejrzyj powtórkę..." with their file dialogs, a record named on the
// command line, and the game kept when the window closes.

// The game at the moment the command was chosen, to a file the player names.
void SaveGameAs(QWidget* owner, const CKratDoc& document, const CKratView& view);
// A record the player picks: an unfinished game resumed (or, to watch it,
// played to its end first), a finished one watched.
void OpenGameFile(QWidget* owner, CKratDoc& document, CKratView& view, bool watch);
// The record at path, opened the same way. A file that cannot be loaded
// gives its one message and leaves the running game as it was: false.
bool OpenRecord(QWidget* owner, const QString& path, CKratDoc& document, CKratView& view, bool watch);
// A game in progress is kept in "ostatnia.tarnok" without a question; one line
// on standard error if it cannot be.
void KeepGameInProgress(const CKratDoc& document, const CKratView& view);
// What the player is told of a file that could not be loaded.
QString RecordProblemText(RecordProblem problem, const QString& path);
