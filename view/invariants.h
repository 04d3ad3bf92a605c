#pragma once

#include <QStringList>

class CKratView;

// The rules the game state must keep after every frame: energy 0..100, stock
// and money never below 0, rounds left never below 0, 2..8 players, and the
// player on turn alive while he aims. Returns one line per broken rule.
QStringList BrokenInvariants(const CKratView& view);
