#pragma once

#include "record/recordFile.h"

#include <QString>

class CKratDoc;

// The running game as a record, to a file and back.
GameRecord RecordOfGame(const CKratDoc& document, bool finished);
bool SaveGame(const QString& path, const CKratDoc& document, QString* error = nullptr);
// A game played to its results is kept in the record folder under its date.
void KeepFinishedGame(const CKratDoc& document);
// Reads and checks a record; the running game is not touched.
RecordProblem LoadRecord(const QString& path, GameRecord* record, QString* detail = nullptr);
