#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

// The pace of a record's playback: each recorded input that came by itself
// is given when its turn has run as long as it had when it was given, at one,
// two, four or eight times the players' pace; in a flight it is given at its
// step, whatever the pace. What the game asks for at its own points (seeds,
// shop visits, digests) the record answers at once.
class RecordPlayer : public QObject {
    Q_OBJECT

public:
    static constexpr int MAX_PACE = 8;

    // giveDue: gives every recorded input that is due at the paced time into
    // the turn (ms); true while the playback goes on.
    explicit RecordPlayer(std::function<void(qint64 pacedMs)> giveDue);

    void Start();
    void Stop();
    // A turn has begun: its time is counted from now.
    void TurnBegan();
    // 1, 2, 4, 8, then 1 again.
    void Faster();
    int Pace() const { return pace; }
    // The turn's time at the present pace.
    qint64 PacedMsIntoTurn() const;
    // One look at what is due; tests hold the timer still and call it.
    void OnTick();

private:
    std::function<void(qint64)> giveDue;
    QTimer timer{this}; // a child named "playbackTimer", so tests can hold it still
    QElapsedTimer sincePaceChange;
    qint64 pacedBeforeChange = 0;
    int pace = 1;
};
