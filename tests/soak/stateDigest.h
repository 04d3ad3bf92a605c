#pragma once

#include <QtGlobal>

class CKratDoc;

// A fingerprint of everything a turn can change: the game state (players,
// rounds, every tank with its shell, the turn, the wind, the whole height
// field, the cameras) and what the document keeps for the status bar and the
// bomb choices. Two runs that played alike give equal digests.
quint32 GameStateDigest(const CKratDoc* document);
