#pragma once

#include <memory>

class CKratDoc;
class CMainFrame;
class CKratView;

// The application: starts the program in the order the game needs (the
// new-game dialog before any window), and answers the About command.
class CKratApp {
public:
    CKratApp();
    ~CKratApp();

    // Needs the QApplication. Returns false when the program should end at once
    // (an unknown argument, or a window that could not be built).
    bool InitInstance();
    // Start-up without the command line: document (and its dialog), main
    // frame, view with the first game, then the window shown.
    bool CreateWindows();
    // Tears the windows down while the QApplication still exists.
    void ExitInstance();
    void OnAppAbout();

    CKratDoc* Document() const { return document.get(); }
    CMainFrame* MainFrame() const { return mainFrame.get(); }
    CKratView* View() const;

private:
    bool ProcessCommandLine();

    std::unique_ptr<CKratDoc> document;
    std::unique_ptr<CMainFrame> mainFrame;
};

extern CKratApp theApp;

// Embeds the game's images (icon, toolbar) for Qt's resource system.
void InitResources();
