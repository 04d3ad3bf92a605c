#pragma once

#include "record/inputs.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <variant>
#include <vector>

// What travels between the machines of a network game. Only inputs travel,
// never pictures: the host orders every input and sends it to all, grants
// the steps of a flight, and mends a machine whose digest went astray with a
// snapshot in the record file's format. Each message is one plain value of
// one kind.
constexpr int PROTOCOL_VERSION = 1;

// A machine asks to join: its versions, its player's name, the seats it
// would like, and the token it was given if it comes back.
struct HelloMessage {
    QString gameVersion;
    int protocol = PROTOCOL_VERSION;
    QString name;
    int seatsWanted = 1;
    QByteArray token;
};

// The host takes it in: the seats (slots) it plays and the token to come back with.
struct WelcomeMessage {
    QByteArray token;
    std::vector<int> seats;
};

// The host turns it away, naming its own versions.
struct RefusalMessage {
    enum Reason { OtherVersion = 1, NoFreeSeat = 2, Malformed = 3 };
    int reason = OtherVersion;
    QString hostGameVersion;
    int hostProtocol = PROTOCOL_VERSION;
};

// A joined machine's player gives an input for his seat (not yet stamped).
struct OfferMessage {
    int seat = 0;
    InputBody body;
};

// The host's copy of an input, stamped with its turn and step: applied by every machine.
struct OrderedInputMessage {
    Input input;
};

// No machine moves the shell of the turn past this step.
struct StepGrantMessage {
    int turn = 0;
    int step = 0;
};

// A machine's digest at a turn's start.
struct DigestMessage {
    int turn = 0;
    std::uint32_t digest = 0;
};

// The whole game in the record file's format, to mend a machine gone astray.
struct SnapshotMessage {
    QByteArray record;
};

struct KeepAliveMessage {};

using WireMessage = std::variant<HelloMessage, WelcomeMessage, RefusalMessage, OfferMessage, OrderedInputMessage,
                                 StepGrantMessage, DigestMessage, SnapshotMessage, KeepAliveMessage>;

// A frame: its length (4 bytes, big-endian) and then CBOR
// [protocol, kind, fields...].
constexpr int MAX_FRAME_BYTES = 256 * 1024; // a snapshot is some tens of KiB

QByteArray EncodeFrame(const WireMessage& message);

// Takes the bytes of a connection as they come and gives the messages in
// them. Anything malformed or oversized breaks it for good: the connection is
// then closed, with Problem() as its one line in the log.
class FrameReader {
public:
    void Feed(const QByteArray& bytes);
    // The next whole message, if one has arrived; false otherwise (or broken).
    bool Next(WireMessage* message);
    bool Broken() const { return !problem.isEmpty(); }
    QString Problem() const { return problem; }
    // Bytes held for a message not yet whole.
    qsizetype Pending() const { return buffer.size(); }

private:
    QByteArray buffer;
    QString problem;
};
