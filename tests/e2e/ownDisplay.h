#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// The program started by process ends with the test, even when the test
// itself is killed (a timeout) before it can stop it.
void EndWithThisProcess(QProcess& process);

// An X server of the test's own (Xvfb on a free display number), made the
// display of every X tool the test runs until it stops.
class OwnDisplay {
public:
    ~OwnDisplay() { Stop(); }
    // Extra server options, such as "-extension GLX". True once it answers.
    bool Start(const QStringList& options = {});
    void Stop();
    QString Name() const { return name; }

private:
    QProcess server;
    QString name;
    QByteArray previousDisplay;
};
