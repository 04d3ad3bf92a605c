#include "view/invariants.h"

#include "view/gameState.h"
#include "view/kratView.h"

QStringList BrokenInvariants(const CKratView& view)
{
    QStringList broken;
    if (playerCount < 2 || playerCount > MAX_PLAYERS)
        broken << QStringLiteral("playerCount %1 outside 2..8").arg(playerCount);
    if (roundsLeft < 0)
        broken << QStringLiteral("roundsLeft %1 below 0").arg(roundsLeft);
    if (currentPlayer < 0 || currentPlayer >= playerCount)
        broken << QStringLiteral("currentPlayer %1 outside the game").arg(currentPlayer);
    for (int i = 0; i < playerCount && i < MAX_PLAYERS; ++i) {
        const cCzolg& t = tanks[i];
        if (t.energy < 0 || t.energy > 100)
            broken << QStringLiteral("tank %1 energy %2").arg(i).arg(t.energy);
        if (t.money < 0)
            broken << QStringLiteral("tank %1 money %2").arg(i).arg(t.money);
        for (int k = 0; k < 4; ++k)
            if (t.stock[k] < 0)
                broken << QStringLiteral("tank %1 stock[%2] = %3").arg(i).arg(k).arg(t.stock[k]);
        if (t.stock[0] != 999)
            broken << QStringLiteral("tank %1 ordinary stock %2").arg(i).arg(t.stock[0]);
    }
    const bool aiming = shotFired == 0 && view.roundEndBusy == 0 && !view.IsRoundEndQueued();
    if (aiming && currentPlayer >= 0 && currentPlayer < playerCount && !tanks[currentPlayer].IsAlive())
        broken << QStringLiteral("player %1 on turn is dead").arg(currentPlayer + 1);
    return broken;
}
