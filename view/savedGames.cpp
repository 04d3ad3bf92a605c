#include "view/savedGames.h"

#include "record/recordFolder.h"
#include "res/resource.h"
#include "res/stringTable.h"
#include "res/version.h"
#include "view/gameInputs.h"
#include "view/gameSnapshots.h"

#include <QDateTime>

#include <cstdio>

GameRecord RecordOfGame(const CKratDoc& doc, bool finished)
{
    GameRecord record;
    record.gameVersion = QStringLiteral(TARNOK_VERSION);
    record.finished = finished;
    record.stream = gameInputs.Stream();
    record.end = TakeSnapshot(doc);
    return record;
}

bool SaveGame(const QString& path, const CKratDoc& doc, QString* error)
{
    return WriteRecordFile(path, RecordOfGame(doc, false), MakeFreshField, error);
}

void KeepFinishedGame(const CKratDoc& doc)
{
    QString error;
    const QString path = FinishedGamePath(QDateTime::currentDateTime());
    if (!WriteRecordFile(path, RecordOfGame(doc, true), MakeFreshField, &error)) {
        // Nobody asked for it: a line for whoever looks, and the game goes on.
        std::fprintf(stderr, "%s\n", qPrintable(Text(IDS_RECORD_NOT_KEPT).arg(path, error)));
        return;
    }
    PruneFinishedGames();
}

RecordProblem LoadRecord(const QString& path, GameRecord* record, QString* detail)
{
    return ReadRecordFile(path, MakeFreshField, record, detail);
}
