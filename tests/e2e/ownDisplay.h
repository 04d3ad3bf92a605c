#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// Has the program started by process killed should the test itself be killed
// (a CTest timeout), so that no server, window manager or game outlives it.
// Call before start().
void EndWithTheTest(QProcess& process);

// An X server of the test's own (Xvfb on a free display number), so that the
// test may kill it, or put a window manager on it, without touching any other
// program's display. While it runs, DISPLAY names it for this process and the
// programs it starts.
class OwnDisplay {
public:
    ~OwnDisplay() { Stop(); }
    // Extra server options, such as "-extension GLX". True once it answers.
    bool Start(const QStringList& options = {});
    // Openbox on the display; true once it frames new windows.
    bool StartWindowManager();
    // Ends the window manager and the server, and gives DISPLAY back.
    void Stop();
    // Ends the server at once, as a crashed or vanished X server would.
    void Kill();
    QString Name() const { return name; }
    // For a report when a wait failed: the window manager's exit, if it ended.
    QString WindowManagerState();

private:
    bool WaitUntilItAnswers();
    bool WindowManagerFrames();
    void GiveBackTheDisplay();

    QProcess server;
    QProcess windowManager;
    QString name;
    QByteArray previousDisplay;
    bool displaySet = false;
};
