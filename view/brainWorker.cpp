#include "view/brainWorker.h"

#include <memory>

BrainWorker::BrainWorker(std::uint32_t seed) : thinker(new QObject), brain(seed)
{
    qRegisterMetaType<Aim>("Aim");
    thread.setObjectName(QStringLiteral("brain"));
    thinker->moveToThread(&thread);
    thread.start();
}

BrainWorker::~BrainWorker()
{
    thread.quit();
    thread.wait(); // at most the one choice being made
    delete thinker;
}

void BrainWorker::Choose(int request, const Sight& sight, BrainLevel level)
{
    auto seen = std::make_shared<const Sight>(sight);
    QMetaObject::invokeMethod(thinker, [this, request, seen, level] {
        const Aim aim = brain.Choose(*seen, level);
        QMetaObject::invokeMethod(this, [this, request, aim] { emit answered(request, aim); }, Qt::QueuedConnection);
    }, Qt::QueuedConnection);
}

void BrainWorker::AtFiring(int request, const Sight& sight, BrainLevel level, const Aim& chosen)
{
    auto seen = std::make_shared<const Sight>(sight);
    QMetaObject::invokeMethod(thinker, [this, request, seen, level, chosen] {
        const Aim aim = brain.AtFiring(*seen, level, chosen);
        QMetaObject::invokeMethod(this, [this, request, aim] { emit answered(request, aim); }, Qt::QueuedConnection);
    }, Qt::QueuedConnection);
}

void BrainWorker::NoteLanding(int shooter, float x, float z, int result)
{
    QMetaObject::invokeMethod(thinker, [this, shooter, x, z, result] { brain.NoteLanding(shooter, x, z, result); },
                              Qt::QueuedConnection);
}

void BrainWorker::Forget()
{
    QMetaObject::invokeMethod(thinker, [this] { brain.Forget(); }, Qt::QueuedConnection);
}

void BrainWorker::Reseed(std::uint32_t seed)
{
    QMetaObject::invokeMethod(thinker, [this, seed] { brain.Reseed(seed); }, Qt::QueuedConnection);
}
