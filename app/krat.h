#pragma once

#include "audio/gameSound.h"

#include <QString>

#include <memory>

class CKratDoc;
class CMainFrame;
class CKratView;
struct CommandLine;

// The application: starts the program in the order the game needs (the
// new-game dialog before any window), and answers the About command.
class CKratApp {
public:
    CKratApp();
    ~CKratApp();

    // Needs the QApplication (the command line is read before it is built).
    // Returns false when the program should end at once (a window that could
    // not be built).
    bool InitInstance(const CommandLine& commandLine);
    // Start-up without the command line: document (and its dialog), main
    // frame, view with the first game, then the window shown. With a record
    // to open (the command line's PLIK) its game comes instead of the dialog,
    // unless it cannot be loaded: then its message, and the dialog.
    bool CreateWindows();
    // A game in progress is kept in "ostatnia.tarnok" (the display is lost:
    // the windows go, the game does not).
    void KeepGameInProgress();
    // Tears the windows down while the QApplication still exists.
    void ExitInstance();
    // For a program that ends at once without returning through main (the
    // display is lost): the windows are let go, not destroyed. Modal dialogs of
    // the moment live on the stack beneath as children of the frame, and the
    // display they would be taken off is gone; the process's end frees them.
    void AbandonWindows();
    void OnAppAbout();
    // The sound as the player left it, or off for this run only (the
    // command line's --bez-dzwieku); the menu's switch shows and changes it.
    void StartSound(bool offForThisRun);
    void SwitchSound(bool on);
    GameSound* Sound() { return &sound; }

    CKratDoc* Document() const { return document.get(); }
    CMainFrame* MainFrame() const { return mainFrame.get(); }
    CKratView* View() const;

private:
    std::unique_ptr<CKratDoc> document;
    std::unique_ptr<CMainFrame> mainFrame;
    void OpenSoundAtStart();

    GameSound sound; // outlives the windows that announce to it
    QString recordToOpen; // the command line's, once
    bool soundAtStart = false; // on at start, not yet opened
};

extern CKratApp theApp;

// Embeds the game's images (icon, toolbar) for Qt's resource system.
void InitResources();
