// The record file and the digest, without a game: what is written is read
// back bit for bit, every kind of bad file is named for what it is, and no
// flipped bit or cut-off tail of a good file crashes the reader or gets a
// state past it that the game could not have reached.
#include "support/recordDamage.h"

#include "record/checksum.h"
#include "record/recordFile.h"
#include "record/recordLimits.h"
#include "record/snapshotFields.h"
#include "record/stateDigest.h"
#include "res/resource.h"

#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <csignal>
#include <cstring>
#include <random>

#include <sys/resource.h>

namespace {

// A round's fresh field for the tests: waves that depend on the seed.
void TestField(std::uint32_t seed, float (&heights)[SNAPSHOT_FIELD][SNAPSHOT_FIELD])
{
    for (int z = 0; z < SNAPSHOT_FIELD; ++z)
        for (int x = 0; x < SNAPSHOT_FIELD; ++x)
            heights[z][x] = static_cast<float>(10 * std::sin((x + seed % 97) * 0.13) * std::cos(z * 0.07 + seed));
}

// An eight-player game in its twentieth round, in the middle of a flight.
GameRecord EightPlayerRecord(int turns = 160)
{
    GameRecord record;
    record.gameVersion = QStringLiteral("1.2.0");
    GameSnapshot& s = record.end;
    s.playerCount = 8;
    s.roundsLeft = 3;
    s.currentPlayer = 5;
    s.shotFired = 1;
    s.roundSeed = 1765400000u;
    s.randomDraws = 123;
    s.turn = turns;
    TestField(s.roundSeed, s.heights);
    for (int c = 40; c < 60; ++c) // a crater
        s.heights[c][c] -= 2.25f;
    for (int i = 0; i < 8; ++i) {
        TankSnapshot& t = s.tanks[i];
        t.player = i;
        t.x = 5.0f + 11 * i;
        t.z = 95.0f - 11 * i;
        t.y = s.heights[int(t.z)][int(t.x)];
        t.money = 100 * i;
        t.stock[1] = i;
        t.heading = 35 * i;
        t.elevation = 10 * i;
    }
    s.tanks[5].inFlight = 1;
    s.tanks[5].hasFired = 1;
    s.tanks[5].flightStep = 37;
    s.tanks[5].shellX = 41.125f;
    s.tanks[5].shellY = 0.1f; // not a short decimal: must travel as its bits
    s.weaponPlayer = 5;
    s.cameras[3].x = -12.3456789f;

    std::mt19937 random(7);
    record.stream.push_back({{0, -1, 0}, NewGameInput{8, 20, -45, 7}});
    record.stream.push_back({{0, -1, 0}, SeatsInput{{0, 1, 2, 3, 4, 0, 0, 1}}});
    const int commands[] = {ID_BARREL_LEFT, ID_BARREL_RIGHT, ID_BARREL_UP, ID_BARREL_DOWN, ID_POWER_UP, ID_POWER_DOWN};
    for (int turn = 0; turn < turns; ++turn) {
        if (turn % 8 == 0)
            record.stream.push_back({{turn, -1, 0}, RoundSeedInput{std::uint32_t(random())}});
        record.stream.push_back({{turn, -1, 0}, TurnStartInput{std::uint32_t(random())}});
        int ms = 0;
        for (int k = 0; k < 25; ++k) {
            ms += 100 + random() % 400;
            record.stream.push_back({{turn, -1, ms}, TankCommandInput{commands[random() % 6]}});
            if (k % 5 == 0)
                record.stream.push_back({{turn, -1, ms}, WindTickInput{}});
        }
        record.stream.push_back({{turn, -1, ms}, BombChoiceInput{int(random() % 4)}});
        record.stream.push_back({{turn, -1, ms + 200}, TankCommandInput{ID_FIRE}});
        record.stream.push_back({{turn, 12, ms + 500}, TankCommandInput{ID_POWER_UP}});
        if (turn % 8 == 7)
            for (int slot = 0; slot < 8; ++slot)
                record.stream.push_back({{turn, -1, ms + 900}, ShopVisitInput{slot, 300, {999, 1, 2, 0}}});
    }
    return record;
}

QByteArray Encoded(const GameRecord& record)
{
    return EncodeRecord(record, TestField);
}

RecordProblem Decoded(const QByteArray& bytes, GameRecord* into = nullptr)
{
    GameRecord scratch;
    return DecodeRecord(bytes, TestField, into ? into : &scratch);
}

} // namespace

class RecordTest : public QObject {
    Q_OBJECT

private slots:
    void theChecksumIsTheZipOne()
    {
        QCOMPARE(Crc32(QByteArrayLiteral("123456789")), 0xCBF43926u);
        QCOMPARE(Crc32(QByteArray()), 0u);
    }

    void aRecordReadsBackBitForBit()
    {
        const GameRecord written = EightPlayerRecord();
        GameRecord read;
        QCOMPARE(int(Decoded(Encoded(written), &read)), int(RecordProblem::None));
        QCOMPARE(read.gameVersion, written.gameVersion);
        QCOMPARE(read.finished, written.finished);
        QCOMPARE(std::memcmp(read.end.heights, written.end.heights, sizeof read.end.heights), 0);
        QCOMPARE(read.end.tanks[5].shellY, 0.1f);
        QCOMPARE(read.end.cameras[3].x, -12.3456789f);
        QCOMPARE(StateDigest(read.end), StateDigest(written.end));
        // The same bytes again: every field and input made the round trip.
        QCOMPARE(Encoded(read), Encoded(written));
        QCOMPARE(read.stream.size(), written.stream.size());
        QCOMPARE(std::get<NewGameInput>(read.stream.front().body).windDirection, -45);
        QCOMPARE(read.stream.back().stamp.turn, written.stream.back().stamp.turn);
    }

    void anEightPlayerGameOfTwentyRoundsStaysUnder64KiB()
    {
        const QByteArray bytes = Encoded(EightPlayerRecord());
        qInfo("%lld bytes", static_cast<long long>(bytes.size()));
        QVERIFY2(bytes.size() < 64 * 1024, qPrintable(QString::number(bytes.size())));
    }

    void theDigestSeesEveryTurnsChangeAndNoMachinesOwnView()
    {
        const GameSnapshot base = EightPlayerRecord(1).end;
        const std::uint32_t digest = StateDigest(base);
        auto changed = [&](auto change) {
            GameSnapshot s = base;
            change(s);
            return StateDigest(s) != digest;
        };
        QVERIFY(changed([](GameSnapshot& s) { s.heights[99][0] = std::nextafter(s.heights[99][0], 100.0f); }));
        QVERIFY(changed([](GameSnapshot& s) { s.tanks[7].money += 1; }));
        QVERIFY(changed([](GameSnapshot& s) { s.tanks[5].shellX = std::nextafter(s.tanks[5].shellX, 0.0f); }));
        QVERIFY(changed([](GameSnapshot& s) { s.randomDraws += 2; }));
        QVERIFY(changed([](GameSnapshot& s) { s.selectedWeapon[2] = 3; }));
        QVERIFY(changed([](GameSnapshot& s) { s.windDirection = -s.windDirection - 5; }));
        // Each machine's own: cameras, seats, the status bar, the time into the turn.
        QVERIFY(!changed([](GameSnapshot& s) { s.cameras[0].yaw = 45; s.cameras[7].z = 3; }));
        QVERIFY(!changed([](GameSnapshot& s) { s.seatChoice[1] = 4; }));
        QVERIFY(!changed([](GameSnapshot& s) { s.shownPower = 95; s.msIntoTurn = 9999; }));
        // A finished flight's leftovers are read by nothing.
        QVERIFY(!changed([](GameSnapshot& s) { s.tanks[2].shellX = 77; s.tanks[2].flightStep = 300; }));
    }

    void everyKindOfBadFileIsNamedForWhatItIs()
    {
        const QByteArray good = Encoded(EightPlayerRecord());
        QTemporaryDir folder;
        GameRecord record;
        QCOMPARE(int(ReadRecordFile(folder.filePath("none.tarnok"), TestField, &record)), int(RecordProblem::Unreadable));
        QCOMPARE(int(ReadRecordFile(folder.path(), TestField, &record)), int(RecordProblem::Unreadable));
        QCOMPARE(int(Decoded("Gra numer 5, runda 3\n")), int(RecordProblem::NotARecord));
        QCOMPARE(int(Decoded(QByteArray())), int(RecordProblem::NotARecord));
        QCOMPARE(int(Decoded(good.left(good.size() - 1))), int(RecordProblem::CutShort));
        QCOMPARE(int(Decoded(good.left(12))), int(RecordProblem::CutShort));
        QByteArray flipped = good;
        flipped[good.size() / 2] = char(flipped[good.size() / 2] ^ 0x10);
        QCOMPARE(int(Decoded(flipped)), int(RecordProblem::Damaged));
        QCOMPARE(int(Decoded(good + "x")), int(RecordProblem::Damaged));
        QByteArray newer = good;
        qToBigEndian<quint16>(RECORD_FORMAT + 1, newer.data() + 8);
        QCOMPARE(int(Decoded(newer)), int(RecordProblem::NewerFormat));

        // Well formed, with values no game reaches.
        auto outOfRange = [](auto spoil) {
            GameRecord r = EightPlayerRecord(3);
            spoil(r);
            return Decoded(Encoded(r)) == RecordProblem::OutOfRange;
        };
        QVERIFY(outOfRange([](GameRecord& r) { r.end.playerCount = 9; }));
        QVERIFY(outOfRange([](GameRecord& r) { r.end.tanks[2].x = 100.5f; }));
        QVERIFY(outOfRange([](GameRecord& r) { r.end.tanks[2].z = -1; }));
        QVERIFY(outOfRange([](GameRecord& r) { r.end.tanks[1].stock[2] = -1; }));
        QVERIFY(outOfRange([](GameRecord& r) { r.end.tanks[1].energy = 101; }));
        QVERIFY(outOfRange([](GameRecord& r) { r.end.heights[3][4] = NAN; }));
        QVERIFY(outOfRange([](GameRecord& r) { r.end.currentPlayer = 8; }));
        QVERIFY(outOfRange([](GameRecord& r) { r.end.windStrength = 11; }));
        QVERIFY(outOfRange([](GameRecord& r) { r.stream.push_back({{9, -1, 0}, TankCommandInput{12345}}); }));
        QVERIFY(outOfRange([](GameRecord& r) { r.stream.push_back({{0, -1, 0}, TurnStartInput{}}); })); // back in time
        QVERIFY(outOfRange([](GameRecord& r) { r.stream.push_back({{9, -1, 0}, NewGameInput{}}); }));
        QVERIFY(outOfRange([](GameRecord& r) { r.stream.clear(); }));
        QVERIFY(!outOfRange([](GameRecord&) {}));

        // What was refused left the caller's record as it was.
        record.gameVersion = QStringLiteral("before");
        QCOMPARE(int(Decoded(flipped, &record)), int(RecordProblem::Damaged));
        QCOMPARE(record.gameVersion, QStringLiteral("before"));
    }

    void aFileIsWrittenWholeOrNotAtAll()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath("gry/zapis.tarnok");
        QVERIFY(WriteRecordFile(path, EightPlayerRecord(), TestField)); // its folder made on the way
        const QByteArray first = [&] { QFile f(path); f.open(QIODevice::ReadOnly); return f.readAll(); }();
        QVERIFY(first.size() > 1000);
        // A disk that fills up half way through (files may grow to 1000 bytes
        // here, for root too): the good file stays as it was.
        const auto oldSignal = std::signal(SIGXFSZ, SIG_IGN);
        rlimit old{};
        getrlimit(RLIMIT_FSIZE, &old);
        rlimit small = old;
        small.rlim_cur = 1000;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        QString error;
        GameRecord later = EightPlayerRecord(200);
        const bool written = WriteRecordFile(path, later, TestField, &error);
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldSignal);
        QVERIFY(!written);
        QVERIFY(!error.isEmpty());
        QCOMPARE(QDir(folder.filePath("gry")).entryList(QDir::Files), QStringList{"zapis.tarnok"}); // no leftovers
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), first);
    }

    // Random damage to a good file: never a crash, and never a state past
    // the reader out of the game's range.
    void noFlippedOrCutFileCrashesOrGetsABadStatePast()
    {
        const QByteArray good = Encoded(EightPlayerRecord(40));
        // Qt says on standard error each time zlib refuses a payload.
        static QtMessageHandler previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& c, const QString& m) {
            if (!m.startsWith(QLatin1String("qUncompress")))
                previous(type, c, m);
        });
        std::mt19937 random(2026);
        int accepted = 0;
        for (int round = 0; round < 1500; ++round) {
            const QByteArray bytes = DamagedRecord(good, random);
            GameRecord read;
            if (Decoded(bytes, &read) != RecordProblem::None)
                continue;
            ++accepted;
            QVERIFY2(SnapshotProblem(read.end).isEmpty(), qPrintable(SnapshotProblem(read.end)));
            QVERIFY(StreamProblem(read.stream).isEmpty());
        }
        qInstallMessageHandler(previous);
        // Flips in the compressed payload rarely survive zlib's own check.
        QVERIFY(accepted < 1500);
    }
};

QTEST_GUILESS_MAIN(RecordTest)
#include "tst_record.moc"
