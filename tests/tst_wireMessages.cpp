// What travels between the machines of a network game: every kind of message
// comes out of its frame as it went in, however the connection cuts the
// bytes; another protocol's hello is still read (to refuse it by name) and
// anything else of it is not; oversized, malformed and random frames break
// the reader, never the program.
#include "net/wireMessages.h"
#include "res/resource.h"

#include <QtEndian>
#include <QtTest>

#include <random>

namespace {

std::vector<WireMessage> OneOfEachKind()
{
    Input fire{{7, -1, 2300}, TankCommandInput{ID_FIRE}};
    Input bend{{7, 41, 3100}, TankCommandInput{ID_POWER_UP}};
    return {
        HelloMessage{QStringLiteral("1.2"), PROTOCOL_VERSION, QStringLiteral("Żaneta"), 2, QByteArray(16, 'k')},
        WelcomeMessage{QByteArray(16, 't'), {2, 5}},
        RefusalMessage{RefusalMessage::OtherVersion, QStringLiteral("1.2"), PROTOCOL_VERSION},
        OfferMessage{5, BombChoiceInput{3}},
        OrderedInputMessage{fire},
        OrderedInputMessage{bend},
        StepGrantMessage{7, 41},
        DigestMessage{8, 0xF00DCAFEu},
        SnapshotMessage{QByteArray(40000, '\x5a')},
        KeepAliveMessage{},
    };
}

// The same message again: encoded alike.
bool Same(const WireMessage& a, const WireMessage& b)
{
    return a.index() == b.index() && EncodeFrame(a) == EncodeFrame(b);
}

QByteArray Frame(const QByteArray& body)
{
    QByteArray frame(4, Qt::Uninitialized);
    qToBigEndian<quint32>(quint32(body.size()), frame.data());
    return frame + body;
}

} // namespace

class WireMessagesTest : public QObject {
    Q_OBJECT

private slots:
    void everyKindComesOutAsItWentInHoweverTheBytesAreCut()
    {
        const std::vector<WireMessage> sent = OneOfEachKind();
        QByteArray bytes;
        for (const WireMessage& m : sent)
            bytes += EncodeFrame(m);
        std::mt19937 random(30);
        for (int cutting = 0; cutting < 20; ++cutting) {
            FrameReader reader;
            std::vector<WireMessage> got;
            for (qsizetype at = 0; at < bytes.size();) {
                const qsizetype piece = cutting == 0 ? 1 : qsizetype(1 + random() % 700);
                reader.Feed(bytes.mid(at, piece));
                at += piece;
                WireMessage m;
                while (reader.Next(&m))
                    got.push_back(m);
            }
            QVERIFY2(!reader.Broken(), qPrintable(reader.Problem()));
            QCOMPARE(reader.Pending(), 0);
            QCOMPARE(got.size(), sent.size());
            for (std::size_t i = 0; i < sent.size(); ++i)
                QVERIFY2(Same(got[i], sent[i]), qPrintable(QString::number(i)));
        }
        FrameReader reader;
        reader.Feed(EncodeFrame(OrderedInputMessage{{{7, 41, 3100}, TankCommandInput{ID_POWER_UP}}}));
        WireMessage m;
        QVERIFY(reader.Next(&m));
        const Input& input = std::get<OrderedInputMessage>(m).input;
        QCOMPARE(input.stamp.step, 41);
        QCOMPARE(std::get<TankCommandInput>(input.body).command, ID_POWER_UP);
    }

    void anotherProtocolsHelloIsReadAndNothingElseOfIt()
    {
        auto asProtocol = [](const WireMessage& m, int protocol) {
            QByteArray frame = EncodeFrame(m);
            QCborArray array = QCborValue::fromCbor(frame.mid(4)).toArray();
            array[0] = protocol;
            return Frame(QCborValue(array).toCbor());
        };
        FrameReader hello;
        hello.Feed(asProtocol(HelloMessage{QStringLiteral("9.0"), 9, QStringLiteral("Nowy"), 1, {}}, 9));
        WireMessage m;
        QVERIFY(hello.Next(&m));
        QCOMPARE(std::get<HelloMessage>(m).protocol, 9);
        QCOMPARE(std::get<HelloMessage>(m).gameVersion, QStringLiteral("9.0"));
        FrameReader other;
        other.Feed(asProtocol(KeepAliveMessage{}, 9));
        QVERIFY(!other.Next(&m));
        QVERIFY(other.Broken());
        QVERIFY(other.Problem().contains(QStringLiteral("protocol 9")));
    }

    void oversizedMalformedAndOutOfRangeFramesBreakTheReader_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QByteArray huge(4, '\0');
        qToBigEndian<quint32>(MAX_FRAME_BYTES + 1, huge.data());
        QTest::newRow("a frame larger than any message") << huge;
        QTest::newRow("an empty frame") << QByteArray(4, '\0');
        QTest::newRow("not CBOR") << Frame("\xff\xff\xff");
        QTest::newRow("not an array") << Frame(QCborValue(42).toCbor());
        QTest::newRow("an unknown kind") << Frame(QCborValue(QCborArray{PROTOCOL_VERSION, 99}).toCbor());
        QTest::newRow("a field missing") << Frame(QCborValue(QCborArray{PROTOCOL_VERSION, 6, 3}).toCbor());
        QTest::newRow("a field too many") << Frame(QCborValue(QCborArray{PROTOCOL_VERSION, 6, 3, 4, 5}).toCbor());
        QTest::newRow("a seat off the table") << Frame(QCborValue(QCborArray{PROTOCOL_VERSION, 3, 8,
            QCborArray{4, 0, -1, 0, 3}}).toCbor());
        QTest::newRow("a command no toolbar has") << Frame(QCborValue(QCborArray{PROTOCOL_VERSION, 4,
            QCborArray{3, 0, -1, 0, 12345}}).toCbor());
        QTest::newRow("a player offering a shop visit") << Frame(QCborValue(QCborArray{PROTOCOL_VERSION, 3, 1,
            QCborArray{6, 0, -1, 0, 1, 500, 999, 9, 9, 9}}).toCbor());
        QTest::newRow("a name of a thousand letters") << EncodeFrame(
            HelloMessage{QStringLiteral("1.2"), PROTOCOL_VERSION, QString(1000, 'a'), 1, {}});
    }

    void oversizedMalformedAndOutOfRangeFramesBreakTheReader()
    {
        QFETCH(QByteArray, bytes);
        FrameReader reader;
        reader.Feed(bytes);
        WireMessage m;
        QVERIFY(!reader.Next(&m));
        QVERIFY(reader.Broken());
        // Broken for good: a good message after it is not read.
        reader.Feed(EncodeFrame(KeepAliveMessage{}));
        QVERIFY(!reader.Next(&m));
    }

    // Random bytes, and good frames with bytes flipped: never a crash, and
    // every message let through is one that encodes back to a frame.
    void randomBytesNeverGetPastTheReaderAsNonsense()
    {
        std::mt19937 random(2026);
        QByteArray good;
        for (const WireMessage& m : OneOfEachKind())
            good += EncodeFrame(m);
        int read = 0;
        for (int round = 0; round < 3000; ++round) {
            QByteArray bytes;
            if (round % 2) {
                bytes = good;
                for (int i = 0; i < 3; ++i)
                    bytes[qsizetype(random() % std::size_t(bytes.size()))] ^= char(1 << (random() % 8));
            } else {
                bytes.resize(qsizetype(random() % 200));
                for (char& c : bytes)
                    c = char(random());
            }
            FrameReader reader;
            reader.Feed(bytes);
            WireMessage m;
            while (reader.Next(&m)) {
                ++read;
                QVERIFY(EncodeFrame(m).size() > 4);
            }
        }
        QVERIFY(read > 0);
    }
};

QTEST_GUILESS_MAIN(WireMessagesTest)
#include "tst_wireMessages.moc"
