#pragma once

#include <functional>

// Runs the job from the event loop a little while after the first window (the
// first new-game dialog) has been painted, so that start-up work that can
// wait never delays it. Each job runs once.
void RunAfterFirstDialogIsPainted(std::function<void()> job, int delayMs);
