#include "app/displayLoss.h"

#include "res/resource.h"
#include "res/stringTable.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <X11/Xlib.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>

namespace {

std::function<void()> letGoOfGame;
QtMessageHandler frameworkMessages = nullptr;

[[noreturn]] void EndGame()
{
    static bool ending = false;
    if (ending) // Xlib and Qt may both report the one loss, the second from within exit()
        std::_Exit(1);
    ending = true;
    std::fprintf(stderr, "%s\n", LoadStringUtf8(IDS_DISPLAY_LOST));
    std::fflush(stderr);
    if (letGoOfGame)
        letGoOfGame();
    std::exit(1);
}

// Qt's xcb plug-in says this, then calls exit(1), when its event loop finds
// the X connection broken.
void WatchFrameworkMessages(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("The X11 connection broke")))
        EndGame();
    if (frameworkMessages)
        frameworkMessages(type, context, message);
}

// Xlib's I/O error handler must not return; GL presents through Xlib, so a
// frame drawn after the loss ends here.
int OnXlibConnectionLost(Display*)
{
    EndGame();
}

} // namespace

void EndGameWhenDisplayIsLost(std::function<void()> letGo)
{
    letGoOfGame = std::move(letGo);
    frameworkMessages = qInstallMessageHandler(WatchFrameworkMessages);
    XSetIOErrorHandler(OnXlibConnectionLost);
    // Writing to a server that is gone (a frame's picture sent while the
    // loss is not yet read) would otherwise kill the game by SIGPIPE; the
    // write fails instead, and the loss is reported as above.
    std::signal(SIGPIPE, SIG_IGN);
}
