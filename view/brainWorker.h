#pragma once

#include "ai/brain.h"

#include <QObject>
#include <QThread>

#include <cstdint>

// The computer's brain on a thread of its own, so that its thinking never
// holds up a frame. Every call is queued to that thread in order (the brain
// thinks one thing at a time) and returns at once; each answer comes back to
// the caller's thread as the signal `answered`, tagged with the caller's
// request number so that an answer for a turn already over is recognised.
class BrainWorker : public QObject {
    Q_OBJECT

public:
    explicit BrainWorker(std::uint32_t seed);
    ~BrainWorker() override;

    void Choose(int request, const Sight& sight, BrainLevel level);
    void AtFiring(int request, const Sight& sight, BrainLevel level, const Aim& chosen);
    void NoteLanding(int shooter, float x, float z, int result);
    void Forget();
    void Reseed(std::uint32_t seed);

signals:
    void answered(int request, Aim aim);

private:
    QThread thread;
    QObject* thinker; // lives on the thread; the brain is touched only there
    Brain brain;
};
