#pragma once

#include "record/gameSnapshot.h"
#include "record/inputs.h"

#include <QByteArray>
#include <QString>

#include <functional>

// A game kept as a record: how it began and every input since (the stream),
// and the whole state at the record's end. An unfinished game resumes from
// that state; a finished one is watched again from its stream.
struct GameRecord {
    QString gameVersion; // of the game that wrote it
    bool finished = false; // played to its results
    InputStream stream;
    GameSnapshot end;
};

// The file: a magic, the format's version, the payload's length and its CRC-32,
// then the payload (CBOR, compressed). Floats are kept as their bits. The height
// field is kept as what differs from the round's fresh field, made again from
// its seed, so that a field with a few craters costs a few hundred bytes.
constexpr char RECORD_MAGIC[] = "TARNOK3D";
constexpr int RECORD_FORMAT = 1;
constexpr int RECORD_HEADER_SIZE = 20;
constexpr const char* RECORD_SUFFIX = ".tarnok";

// Makes the fresh field of the round seeded with seed, as the round's setup
// made it; the game's own terrain and generator must stay as they were.
using FieldMaker = std::function<void(std::uint32_t seed, float (&heights)[SNAPSHOT_FIELD][SNAPSHOT_FIELD])>;

enum class RecordProblem {
    None,
    Unreadable,   // missing, or cannot be read
    NotARecord,   // not a saved game at all
    CutShort,     // shorter than it says it is
    Damaged,      // the checksum or the contents do not agree
    NewerFormat,  // written by a newer game
    OutOfRange,   // well formed, but with values no game can reach
};

QByteArray EncodeRecord(const GameRecord& record, const FieldMaker& makeField);
// On a problem, *record is left as it was; *detail (if given) says more, for
// a programmer: what was wrong where.
RecordProblem DecodeRecord(const QByteArray& bytes, const FieldMaker& makeField, GameRecord* record,
                           QString* detail = nullptr);

// Written atomically: a crash or a full disk leaves the old file as it was.
// False with *error (the system's words) when it could not be written.
bool WriteRecordFile(const QString& path, const GameRecord& record, const FieldMaker& makeField,
                     QString* error = nullptr);
RecordProblem ReadRecordFile(const QString& path, const FieldMaker& makeField, GameRecord* record,
                             QString* detail = nullptr);
