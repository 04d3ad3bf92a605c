#pragma once

#include <functional>

// Runs the event loop until the state the test needs holds, or the time is up.
// Unlike QTest::qWaitFor it never sleeps between passes: it waits for the next
// event, so a flight goes on at the speed its frames are drawn.
bool WaitUntil(const std::function<bool()>& reached, int timeoutMs = 5000);

// Runs the event loop until it is about to wait: the status bar's panes have
// then followed the game (a bound of 5 s, should it never go idle).
void WaitUntilIdle();
