#pragma once

#include <QProcess>
#include <QString>

// An X server of the test's own (Xvfb, on a free display number),
// so that the test may kill it, or put a window manager on it, without
// touching any other program's display. While it runs, DISPLAY names it for
// this process and the programs it starts.
class PrivateDisplay {
public:
    ~PrivateDisplay();
    bool Start();
    // Ends the server at once, as a crashed or vanished X server would.
    void Kill();
    QString Name() const { return name; }

private:
    bool WaitUntilItAnswers();

    QProcess server;
    QString name;
};

// Has the process killed should the test itself be killed (a CTest timeout),
// so that no server, window manager or game outlives it. Call before start().
void EndWithTheTest(QProcess& process);
