#pragma once

#include "dialogs/Poczatek.h"
#include "world/cCzolg.h"

#include <QString>

#include <functional>

// The bridge between the game and the window around it. It stores nothing in
// files: it owns the new-game dialog and says when a new game is due, keeps
// each player's bomb choice and the values the status bar shows.
class CKratDoc {
public:
    int newGamePending;
    CPoczatek newGameDialog;
    cCzolg tankSnapshot; // the current tank as its turn began
    int weaponPlayer;    // kept equal to currentPlayer
    int selectedWeapon[8];
    int shownStock;
    int shownPower;
    int shownVertAngle;
    int shownHorizAngle;

    // Shows the new-game dialog before any window of the game exists.
    CKratDoc();
    // A document whose first game comes from a record: the dialog is not
    // shown, and holds the record's numbers.
    struct FromRecord {
        int players;
        int rounds;
    };
    explicit CKratDoc(FromRecord numbers);
    virtual ~CKratDoc();

    void ShowNewGameDialog();
    void SetWeaponPlayer(int i);
    int SelectWeapon(int k);
    int GetSelectedWeapon() const;
    int SetShownHorizAngle(int v);
    int SetShownVertAngle(int v);
    int SetShownPower(int v);
    int SetShownStock(int v);
    // Makes the bomb selector show item k through what the frame handed the
    // document; nothing while no frame with a view has handed anything yet.
    void SyncWeaponCombo(int k);
    // The frame's way of showing a kind in its bomb selector; empty to stop.
    void SetBombSelectorSink(std::function<void(int kind)> sink);
    void UpdateFromTank(cCzolg tank);
    bool OnNewDocument();
    // The text of a value pane (ID_PANE_...) for the status bar.
    QString OnUpdatePane(int paneId) const;

private:
    std::function<void(int kind)> bombSelectorSink;
};
