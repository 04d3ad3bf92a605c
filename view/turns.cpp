#include "view/gameState.h"

#include "doc/kratDoc.h"
#include "dialogs/Sklepik.h"
#include "dialogs/decimalText.h"
#include "dialogs/messageBox.h"
#include "res/resource.h"
#include "res/stringTable.h"
#include "view/computerHands.h"
#include "view/computerShop.h"
#include "view/gameInputs.h"
#include "view/kratView.h"
#include "view/seats.h"
#include "view/savedGames.h"

// The player in slot gets the turn: the bomb selector shows the kind his tank
// fired last, and the status bar his tank as the turn begins.
static void HandTurnTo(CKratDoc* doc, int slot)
{
    doc->SetWeaponPlayer(slot);
    doc->SyncWeaponCombo(tanks[slot].bombKind);
    tanks[slot].BeginTurn();
    doc->UpdateFromTank(tanks[slot]);
}

void PassTurn(CKratView& view)
{
    if (shotFired != 1)
        return;
    for (int i = 0; i < playerCount; ++i) {
        if (tanks[i].IsInFlight()) {
            view.RequestFrame(); // one more step of the shell
            return;
        }
    }

    CKratDoc* doc = view.GetDocument();
    tanks[currentPlayer].EndTurn();
    if (CountLiveTanks() > 1) {
        do
            currentPlayer = (currentPlayer + 1) % playerCount;
        while (!tanks[currentPlayer].IsAlive());
        shotFired = 0;
        HandTurnTo(doc, currentPlayer);
        view.OnTurnBegins();
    } else if (view.roundEndBusy == 0) {
        // The round end opens dialogs, which must not run inside the paint:
        // it follows from the event loop right after this frame.
        view.QueueRoundEnd();
    }
    view.RequestFrame();
}

// A player's visit to the shop, as its outcome: the person's in the shop's
// dialog, the computer's by its own policy.
static ShopVisitInput VisitShop(CKratView& view, int slot)
{
    cCzolg tank = tanks[slot];
    CSklepik& shop = view.shop;
    if (view.IsUnseen() || gameInputs.DivergedAt() >= 0) {
        // A playback gone wrong: nobody is asked, nothing is bought.
    } else if (seats[slot].PlaysByItself()) {
        ShopByItself(tank, seats[slot].level, roundsLeft, shop);
    } else {
        shop.Serve(tank, roundsLeft);
        tank.money = TextToInt(shop.m_funds);
        tank.stock[1] += TextToInt(shop.m_countSmall);
        tank.stock[2] += TextToInt(shop.m_countMedium);
        tank.stock[3] += TextToInt(shop.m_countLarge);
    }
    ShopVisitInput visit;
    visit.slot = slot;
    visit.money = tank.money;
    for (int kind = 0; kind < 4; ++kind)
        visit.stock[kind] = tank.stock[kind];
    return visit;
}

static QString ResultsText()
{
    QString text = Text(IDS_RESULTS_HEADER);
    const QString line = Text(IDS_RESULTS_LINE);
    for (int i = 0; i < playerCount; ++i)
        text += QString::asprintf(line.toUtf8().constData(), i + 1, tanks[i].roundsWon);
    return text;
}

int EndRound(CKratView& view)
{
    CKratDoc* doc = view.GetDocument();
    shotFired = 0; // frames drawn behind the dialogs below only draw
    view.Hands().Stop();

    for (int i = 0; i < playerCount; ++i) {
        if (tanks[i].IsAlive())
            tanks[i].roundsWon += 1;
        tanks[i].ReviveForRound();
    }
    roundsLeft -= 1;
    if (roundsLeft < 0)
        roundsLeft = 0;

    if (roundsLeft == 0) {
        // A game played to its results is kept, before its results box can be
        // left open by a program that never returns from it.
        if (gameInputs.GameEnds())
            KeepFinishedGame(*doc);
        if (view.IsUnseen())
            return 0;
        ShowMessage(view.window(), ResultsText(), MessageIcon::Information);
        doc->ShowNewGameDialog();
        return 0;
    }

    view.roundEndBusy = 1;
    for (int i = 0; i < playerCount; ++i) {
        const ShopVisitInput visit = gameInputs.ShopVisit(i, [&] { return VisitShop(view, i); });
        if (gameInputs.Playing()) // watched: what each player bought shows in the status bar
            view.NoteRecordedPurchase(i, visit.stock[1] - tanks[i].stock[1], visit.stock[2] - tanks[i].stock[2],
                                      visit.stock[3] - tanks[i].stock[3]);
        tanks[i].money = visit.money; // replaces, does not add
        for (int kind = 1; kind < 4; ++kind)
            tanks[i].stock[kind] = visit.stock[kind];
    }
    view.roundEndBusy = 0;

    currentPlayer = 0;
    for (int i = 0; i < playerCount; ++i)
        tanks[i].EndTurn();
    HandTurnTo(doc, 0);

    for (int slot = 0; slot < MAX_PLAYERS; ++slot)
        ResetCamera(slot);
    SetupRound();
    view.Hands().Forget();
    view.OnTurnBegins();
    return 1;
}
