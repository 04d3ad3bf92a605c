#include "net/wireMessages.h"

#include "record/cborFields.h"
#include "record/inputCodec.h"
#include "record/recordLimits.h"

#include <QCborArray>
#include <QCborValue>
#include <QtEndian>

namespace {

constexpr int MAX_TEXT = 64;   // a name or a version
constexpr int MAX_TOKEN = 64;

struct Encoder {
    QCborArray& out;
    void operator()(const HelloMessage& m) const
    {
        out << m.gameVersion << m.protocol << m.name << m.seatsWanted << m.token;
    }
    void operator()(const WelcomeMessage& m) const
    {
        QCborArray seats;
        for (int s : m.seats)
            seats.append(s);
        out << m.token << seats;
    }
    void operator()(const RefusalMessage& m) const { out << m.reason << m.hostGameVersion << m.hostProtocol; }
    void operator()(const OfferMessage& m) const { out << m.seat << InputToCbor(Input{{}, m.body}); }
    void operator()(const OrderedInputMessage& m) const { out << InputToCbor(m.input); }
    void operator()(const StepGrantMessage& m) const { out << m.turn << m.step; }
    void operator()(const DigestMessage& m) const { out << m.turn << static_cast<qint64>(m.digest); }
    void operator()(const SnapshotMessage& m) const { out << m.record; }
    void operator()(const KeepAliveMessage&) const {}
};

// Reads the fields after [protocol, kind] in order; any field missing, of
// another type or out of its range fails the whole message.
class Fields {
public:
    explicit Fields(const QCborArray& array) : array(array) {}
    bool Int(int* v, qint64 low, qint64 high)
    {
        const QCborValue value = Take();
        if (!value.isInteger() || value.toInteger() < low || value.toInteger() > high)
            return ok = false;
        *v = static_cast<int>(value.toInteger());
        return true;
    }
    bool Text(QString* v, int longest)
    {
        const QCborValue value = Take();
        if (!value.isString() || value.toString().size() > longest)
            return ok = false;
        *v = value.toString();
        return true;
    }
    bool Bytes(QByteArray* v, qsizetype longest)
    {
        const QCborValue value = Take();
        if (!value.isByteArray() || value.toByteArray().size() > longest)
            return ok = false;
        *v = value.toByteArray();
        return true;
    }
    QCborValue Take() { return next < array.size() ? array.at(next++) : (ok = false, QCborValue()); }
    bool Done() const { return ok && next == array.size(); }
    bool ok = true;

private:
    const QCborArray& array;
    qsizetype next = 2;
};

bool ReadInput(Fields& f, Input* input)
{
    return InputFromCbor(f.Take(), input) && InputProblem(input->body).isEmpty();
}

struct Decoder {
    Fields& f;
    bool operator()(HelloMessage& m) const
    {
        return f.Text(&m.gameVersion, MAX_TEXT) && f.Int(&m.protocol, 0, 1 << 30) && f.Text(&m.name, MAX_TEXT)
               && f.Int(&m.seatsWanted, 1, 8) && f.Bytes(&m.token, MAX_TOKEN);
    }
    bool operator()(WelcomeMessage& m) const
    {
        if (!f.Bytes(&m.token, MAX_TOKEN))
            return false;
        const QCborValue seats = f.Take();
        if (!seats.isArray() || seats.toArray().size() > 8)
            return false;
        for (const QCborValue& seat : seats.toArray()) {
            if (!seat.isInteger() || seat.toInteger() < 0 || seat.toInteger() > 7)
                return false;
            m.seats.push_back(static_cast<int>(seat.toInteger()));
        }
        return true;
    }
    bool operator()(RefusalMessage& m) const
    {
        return f.Int(&m.reason, 1, 3) && f.Text(&m.hostGameVersion, MAX_TEXT) && f.Int(&m.hostProtocol, 0, 1 << 30);
    }
    bool operator()(OfferMessage& m) const
    {
        Input input;
        if (!f.Int(&m.seat, 0, 7) || !ReadInput(f, &input) || !ArrivesByItself(input.body))
            return false; // a player offers only what a player gives
        m.body = input.body;
        return true;
    }
    bool operator()(OrderedInputMessage& m) const { return ReadInput(f, &m.input); }
    bool operator()(StepGrantMessage& m) const { return f.Int(&m.turn, 0, 1 << 30) && f.Int(&m.step, 0, 1000000); }
    bool operator()(DigestMessage& m) const
    {
        if (!f.Int(&m.turn, 0, 1 << 30))
            return false;
        const QCborValue digest = f.Take();
        if (!digest.isInteger() || digest.toInteger() < 0 || digest.toInteger() > 0xFFFFFFFFLL)
            return false;
        m.digest = static_cast<std::uint32_t>(digest.toInteger());
        return true;
    }
    bool operator()(SnapshotMessage& m) const { return f.Bytes(&m.record, MAX_FRAME_BYTES); }
    bool operator()(KeepAliveMessage&) const { return true; }
};

} // namespace

QByteArray EncodeFrame(const WireMessage& message)
{
    QCborArray out;
    out << PROTOCOL_VERSION << static_cast<qint64>(message.index());
    std::visit(Encoder{out}, message);
    const QByteArray body = QCborValue(out).toCbor();
    QByteArray frame(4, Qt::Uninitialized);
    qToBigEndian<quint32>(static_cast<quint32>(body.size()), frame.data());
    return frame + body;
}

void FrameReader::Feed(const QByteArray& bytes)
{
    if (Broken())
        return;
    buffer += bytes;
}

bool FrameReader::Next(WireMessage* message)
{
    if (Broken() || buffer.size() < 4)
        return false;
    const quint32 length = qFromBigEndian<quint32>(buffer.constData());
    if (length == 0 || length > MAX_FRAME_BYTES) {
        problem = QStringLiteral("a frame of %1 bytes").arg(length);
        return false;
    }
    if (buffer.size() < 4 + qsizetype(length))
        return false;
    const QByteArray body = buffer.mid(4, length);
    buffer.remove(0, 4 + length);
    QCborParserError error;
    const QCborValue value = QCborValue::fromCbor(body, &error);
    if (error.error != QCborError::NoError || !value.isArray()) {
        problem = QStringLiteral("a frame that is not a message");
        return false;
    }
    const QCborArray array = value.toArray();
    const QCborValue protocol = array.at(0), kind = array.at(1);
    WireMessage read;
    if (!protocol.isInteger() || !kind.isInteger() || kind.toInteger() < 0
        || !EmplaceAlternative(static_cast<std::size_t>(kind.toInteger()), &read)) {
        problem = QStringLiteral("a message of no known kind");
        return false;
    }
    // A hello is read whatever its protocol, so that another version can be
    // told which one this is; everything else must speak this one.
    if (protocol.toInteger() != PROTOCOL_VERSION && !std::holds_alternative<HelloMessage>(read)) {
        problem = QStringLiteral("protocol %1").arg(protocol.toInteger());
        return false;
    }
    Fields fields(array);
    if (!std::visit(Decoder{fields}, read) || !fields.Done()) {
        problem = QStringLiteral("a malformed message of kind %1").arg(kind.toInteger());
        return false;
    }
    *message = std::move(read);
    return true;
}
