#include "record/recordFile.h"

#include "record/cborFields.h"
#include "record/checksum.h"
#include "record/inputCodec.h"
#include "record/recordLimits.h"
#include "record/snapshotFields.h"

#include <QCborArray>
#include <QCborMap>
#include <QCborValue>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QtEndian>

#include <cstring>
#include <limits>
#include <memory>
#include <type_traits>

namespace {

constexpr qint64 MAX_FILE_SIZE = 16 << 20;   // a long game is some tens of KiB
constexpr quint32 MAX_PAYLOAD_SIZE = 8 << 20; // what the payload may unpack to

struct Field {
    float heights[SNAPSHOT_FIELD][SNAPSHOT_FIELD];
};

// The field as what differs, bit for bit, from the round's fresh one.
QByteArray FieldDifference(const GameSnapshot& state, const FieldMaker& makeField)
{
    auto fresh = std::make_unique<Field>();
    makeField(state.roundSeed, fresh->heights);
    QByteArray out(sizeof(Field), Qt::Uninitialized);
    char* p = out.data();
    for (int z = 0; z < SNAPSHOT_FIELD; ++z)
        for (int x = 0; x < SNAPSHOT_FIELD; ++x, p += 4) {
            std::uint32_t a, b;
            std::memcpy(&a, &state.heights[z][x], 4);
            std::memcpy(&b, &fresh->heights[z][x], 4);
            qToLittleEndian<std::uint32_t>(a ^ b, p);
        }
    return out;
}

bool ApplyFieldDifference(const QByteArray& difference, const FieldMaker& makeField, GameSnapshot* state)
{
    if (difference.size() != SNAPSHOT_FIELD * SNAPSHOT_FIELD * 4)
        return false;
    auto fresh = std::make_unique<Field>();
    makeField(state->roundSeed, fresh->heights);
    const char* p = difference.constData();
    for (int z = 0; z < SNAPSHOT_FIELD; ++z)
        for (int x = 0; x < SNAPSHOT_FIELD; ++x, p += 4) {
            std::uint32_t b;
            std::memcpy(&b, &fresh->heights[z][x], 4);
            const std::uint32_t a = qFromLittleEndian<std::uint32_t>(p) ^ b;
            std::memcpy(&state->heights[z][x], &a, 4);
        }
    return true;
}

RecordProblem Say(RecordProblem problem, QString* detail, const QString& what)
{
    if (detail)
        *detail = what;
    return problem;
}

} // namespace

QByteArray EncodeRecord(const GameRecord& record, const FieldMaker& makeField)
{
    QCborArray state;
    GameSnapshot end = record.end;
    ForEachSnapshotField(end, CborWriter{state});
    QCborArray inputs;
    for (const Input& input : record.stream)
        inputs.append(InputToCbor(input));
    QCborMap map;
    map.insert(QStringLiteral("wersja"), record.gameVersion);
    map.insert(QStringLiteral("koniec"), record.finished);
    map.insert(QStringLiteral("stan"), state);
    map.insert(QStringLiteral("pole"), FieldDifference(record.end, makeField));
    map.insert(QStringLiteral("wejscia"), inputs);
    const QByteArray payload = qCompress(QCborValue(map).toCbor(), 9);

    QByteArray header(RECORD_HEADER_SIZE, '\0');
    std::memcpy(header.data(), RECORD_MAGIC, 8);
    qToBigEndian<quint16>(RECORD_FORMAT, header.data() + 8);
    qToBigEndian<quint32>(static_cast<quint32>(payload.size()), header.data() + 12);
    qToBigEndian<quint32>(Crc32(payload), header.data() + 16);
    return header + payload;
}

RecordProblem DecodeRecord(const QByteArray& bytes, const FieldMaker& makeField, GameRecord* record, QString* detail)
{
    if (bytes.size() < 8 || std::memcmp(bytes.constData(), RECORD_MAGIC, 8) != 0)
        return Say(RecordProblem::NotARecord, detail, QStringLiteral("no magic"));
    if (bytes.size() < RECORD_HEADER_SIZE)
        return Say(RecordProblem::CutShort, detail, QStringLiteral("header cut short"));
    const quint16 format = qFromBigEndian<quint16>(bytes.constData() + 8);
    if (format > RECORD_FORMAT)
        return Say(RecordProblem::NewerFormat, detail, QStringLiteral("format %1").arg(format));
    if (format == 0 || qFromBigEndian<quint16>(bytes.constData() + 10) != 0)
        return Say(RecordProblem::Damaged, detail, QStringLiteral("format 0"));
    const quint32 length = qFromBigEndian<quint32>(bytes.constData() + 12);
    const qint64 present = bytes.size() - RECORD_HEADER_SIZE;
    if (present < length)
        return Say(RecordProblem::CutShort, detail, QStringLiteral("%1 of %2 bytes").arg(present).arg(length));
    if (present > length)
        return Say(RecordProblem::Damaged, detail, QStringLiteral("bytes beyond the payload"));
    const QByteArray payload = bytes.mid(RECORD_HEADER_SIZE);
    if (Crc32(payload) != qFromBigEndian<quint32>(bytes.constData() + 16))
        return Say(RecordProblem::Damaged, detail, QStringLiteral("checksum"));
    // qCompress puts the unpacked size first: nothing larger than a game is unpacked.
    if (payload.size() < 4 || qFromBigEndian<quint32>(payload.constData()) > MAX_PAYLOAD_SIZE)
        return Say(RecordProblem::Damaged, detail, QStringLiteral("payload size"));
    const QByteArray cbor = qUncompress(payload);
    QCborParserError error;
    const QCborValue top = QCborValue::fromCbor(cbor, &error);
    if (cbor.isEmpty() || error.error != QCborError::NoError || !top.isMap())
        return Say(RecordProblem::Damaged, detail, QStringLiteral("payload not readable"));
    const QCborMap map = top.toMap();

    GameRecord read;
    const QCborValue version = map.value(QStringLiteral("wersja"));
    const QCborValue finished = map.value(QStringLiteral("koniec"));
    const QCborValue state = map.value(QStringLiteral("stan"));
    const QCborValue field = map.value(QStringLiteral("pole"));
    const QCborValue inputs = map.value(QStringLiteral("wejscia"));
    if (!version.isString() || !finished.isBool() || !state.isArray() || !field.isByteArray() || !inputs.isArray())
        return Say(RecordProblem::Damaged, detail, QStringLiteral("parts missing"));
    read.gameVersion = version.toString();
    read.finished = finished.toBool();
    const QCborArray stateFields = state.toArray();
    CborReader reader{stateFields};
    ForEachSnapshotField(read.end, reader);
    if (!reader.AllRead())
        return Say(RecordProblem::Damaged, detail, QStringLiteral("state fields"));
    const QCborArray inputList = inputs.toArray();
    read.stream.reserve(static_cast<std::size_t>(inputList.size()));
    for (const QCborValue& value : inputList) {
        Input input;
        if (!InputFromCbor(value, &input))
            return Say(RecordProblem::Damaged, detail, QStringLiteral("input %1").arg(read.stream.size()));
        read.stream.push_back(input);
    }
    if (read.stream.empty())
        return Say(RecordProblem::OutOfRange, detail, QStringLiteral("no inputs"));
    const QString streamProblem = StreamProblem(read.stream);
    if (!streamProblem.isEmpty())
        return Say(RecordProblem::OutOfRange, detail, streamProblem);
    if (!ApplyFieldDifference(field.toByteArray(), makeField, &read.end))
        return Say(RecordProblem::Damaged, detail, QStringLiteral("field size"));
    const QString stateProblem = SnapshotProblem(read.end);
    if (!stateProblem.isEmpty())
        return Say(RecordProblem::OutOfRange, detail, stateProblem);
    *record = std::move(read);
    return RecordProblem::None;
}

bool WriteRecordFile(const QString& path, const GameRecord& record, const FieldMaker& makeField, QString* error)
{
    const QByteArray bytes = EncodeRecord(record, makeField);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        if (error)
            *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    return true;
}

RecordProblem ReadRecordFile(const QString& path, const FieldMaker& makeField, GameRecord* record, QString* detail)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return Say(RecordProblem::Unreadable, detail, file.errorString());
    if (file.size() > MAX_FILE_SIZE) {
        // Far larger than any game: whatever it is, it is not one of ours.
        const QByteArray start = file.read(8);
        return Say(start == QByteArray(RECORD_MAGIC, 8) ? RecordProblem::Damaged : RecordProblem::NotARecord, detail,
                   QStringLiteral("%1 bytes").arg(file.size()));
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return Say(RecordProblem::Unreadable, detail, file.errorString());
    return DecodeRecord(bytes, makeField, record, detail);
}
