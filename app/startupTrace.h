#pragma once

// With TARNOK_TRACE_STARTUP set, the program prints to standard error the wall
// clock (milliseconds since the epoch) at which the new-game dialog was first
// painted, answered, and the first game frame drawn, so that a script can
// time the start-up from outside. Nothing happens without the variable.
void InstallStartupTrace();
