#include "doc/kratDoc.h"

#include "dialogs/decimalText.h"
#include "res/resource.h"

CKratDoc::CKratDoc()
    : newGamePending(0), weaponPlayer(0), selectedWeapon{}, shownStock(0), shownPower(0), shownVertAngle(0),
      shownHorizAngle(0)
{
    newGameDialog.DoModal(); // however it was closed, its numbers start the game
    newGamePending = 1;
}

CKratDoc::CKratDoc(FromRecord numbers)
    : newGamePending(1), weaponPlayer(0), selectedWeapon{}, shownStock(0), shownPower(0), shownVertAngle(0),
      shownHorizAngle(0)
{
    newGameDialog.m_players = IntToText(numbers.players);
    newGameDialog.m_rounds = IntToText(numbers.rounds);
}

CKratDoc::~CKratDoc() = default;

void CKratDoc::ShowNewGameDialog()
{
    // A game that ends behind an open new-game dialog (Ctrl+N during the last
    // flight) asks for the dialog that is already open: it is not run twice.
    if (!newGameDialog.IsRunning())
        newGameDialog.DoModal();
    newGamePending = 1;
}

void CKratDoc::SetWeaponPlayer(int i)
{
    weaponPlayer = i;
}

int CKratDoc::SelectWeapon(int k)
{
    selectedWeapon[weaponPlayer] = k;
    shownStock = tankSnapshot.stock[k];
    return 1;
}

int CKratDoc::GetSelectedWeapon() const
{
    return selectedWeapon[weaponPlayer];
}

int CKratDoc::SetShownHorizAngle(int v)
{
    shownHorizAngle = v;
    return 1;
}

int CKratDoc::SetShownVertAngle(int v)
{
    shownVertAngle = v;
    return 1;
}

int CKratDoc::SetShownPower(int v)
{
    shownPower = v;
    return 1;
}

int CKratDoc::SetShownStock(int v)
{
    shownStock = v;
    return 1;
}

void CKratDoc::SetBombSelectorSink(std::function<void(int kind)> sink)
{
    bombSelectorSink = std::move(sink);
}

void CKratDoc::SyncWeaponCombo(int k)
{
    if (bombSelectorSink)
        bombSelectorSink(k);
}

void CKratDoc::UpdateFromTank(cCzolg tank)
{
    tankSnapshot = tank;
    SetShownHorizAngle(tankSnapshot.heading);
    SetShownVertAngle(tankSnapshot.elevation);
    SetShownPower(tankSnapshot.power);
    SelectWeapon(tankSnapshot.bombKind);
    // A kind that ran out falls back to the ordinary bomb; the tank in the game
    // keeps its kind until it next fires.
    if (tankSnapshot.GetSelectedStock() < 1) {
        SyncWeaponCombo(0);
        SelectWeapon(0);
        tankSnapshot.SetBombKind(0);
    }
    SetShownStock(tankSnapshot.GetSelectedStock());
}

bool CKratDoc::OnNewDocument()
{
    SyncWeaponCombo(0);
    return true;
}

QString CKratDoc::OnUpdatePane(int paneId) const
{
    switch (paneId) {
    case ID_PANE_POWER: return IntToText(shownPower);
    case ID_PANE_HANGLE: return IntToText(shownHorizAngle);
    case ID_PANE_VANGLE: return IntToText(shownVertAngle);
    case ID_PANE_STOCK: return IntToText(shownStock);
    case ID_PANE_ENERGY: return IntToText(tankSnapshot.energy);
    default: return QString();
    }
}
