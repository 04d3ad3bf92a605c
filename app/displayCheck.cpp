#include "app/displayCheck.h"

#include "res/resource.h"
#include "res/stringTable.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonObject>
#include <QLibraryInfo>
#include <QPluginLoader>
#include <QStringList>
#include <QtGlobal>

#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string Formatted(int id, const std::string& value)
{
    std::vector<char> line(1024);
    std::snprintf(line.data(), line.size(), LoadStringUtf8(id), value.c_str());
    return line.data();
}

// The platform names Qt will try, in order, as QGuiApplication picks them:
// -platform, else QT_QPA_PLATFORM, else X; "a;b" lists fall-backs and
// "name:options" passes options to the plug-in.
QStringList PlatformCandidates(const CommandLine& commandLine)
{
    std::string chosen = commandLine.platform;
    if (chosen.empty())
        chosen = Environment("QT_QPA_PLATFORM");
    if (chosen.empty())
        chosen = Environment("XDG_SESSION_TYPE") == "wayland" ? "wayland;xcb" : "xcb";
    QStringList names;
    for (const QString& entry : QString::fromLocal8Bit(chosen).split(';', Qt::SkipEmptyParts))
        names << entry.section(':', 0, 0).trimmed();
    return names;
}

// The keys of every platform plug-in Qt would look at, read from the plug-ins'
// metadata without loading them.
QStringList InstalledPlatforms()
{
    QStringList folders;
    for (const QString& path : qEnvironmentVariable("QT_QPA_PLATFORM_PLUGIN_PATH").split(':', Qt::SkipEmptyParts))
        folders << path;
    for (const QString& path : qEnvironmentVariable("QT_PLUGIN_PATH").split(':', Qt::SkipEmptyParts))
        folders << path + QStringLiteral("/platforms");
    folders << QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/platforms");
    QStringList keys;
    for (const QString& folder : folders)
        for (const QString& file : QDir(folder).entryList(QDir::Files)) {
            const QJsonObject meta = QPluginLoader(folder + '/' + file).metaData().value("MetaData").toObject();
            for (const QJsonValue& key : meta.value("Keys").toArray())
                keys << key.toString().toLower();
        }
    return keys;
}

// The connection that proved the display, held until QApplication has its own.
Display* checkedDisplay = nullptr;
std::string checkedDisplayName;
QtMessageHandler messagesBeforeTheCheck = nullptr;

bool DisplayOpens(const std::string& name)
{
    Display* display = XOpenDisplay(name.empty() ? nullptr : name.c_str());
    if (!display)
        return false;
    if (checkedDisplay)
        XCloseDisplay(checkedDisplay);
    checkedDisplay = display;
    checkedDisplayName = name;
    return true;
}

// Qt's plug-in warns that it could not connect, then aborts with a fatal
// message; the game says it in its own one line and ends instead.
void WatchPlatformStart(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    const bool platformCategory = context.category && std::strncmp(context.category, "qt.qpa.", 7) == 0;
    if (type == QtWarningMsg && platformCategory
        && (message.startsWith(QLatin1String("could not connect to display"))
            || message.startsWith(QLatin1String("Could not load the Qt platform plugin"))))
        return;
    if (type == QtFatalMsg
        && message.startsWith(QLatin1String("This application failed to start because no Qt platform plugin"))) {
        std::fprintf(stderr, "%s\n", Formatted(IDS_BAD_DISPLAY, checkedDisplayName).c_str());
        std::fflush(stderr);
        std::_Exit(1); // QApplication is half built: nothing may run its destructors
    }
    if (messagesBeforeTheCheck)
        messagesBeforeTheCheck(type, context, message);
}

// "" when the platform can start, else what is missing.
std::string MissingFor(const QString& platform, const QStringList& installed, const CommandLine& commandLine)
{
    if (!installed.contains(platform.toLower()))
        return Formatted(IDS_NO_PLATFORM_PLUGIN, platform.toStdString());
    if (platform.toLower() != QStringLiteral("xcb"))
        return ""; // other plug-ins find their own screens (offscreen, vnc, wayland...)
    const std::string display = commandLine.display.empty() ? Environment("DISPLAY") : commandLine.display;
    if (display.empty())
        return LoadStringUtf8(IDS_NO_DISPLAY);
    if (!DisplayOpens(display))
        return Formatted(IDS_BAD_DISPLAY, display);
    return "";
}

} // namespace

std::string MissingDisplay(const CommandLine& commandLine)
{
    const QStringList installed = InstalledPlatforms();
    std::string firstMissing;
    for (const QString& platform : PlatformCandidates(commandLine)) {
        const std::string missing = MissingFor(platform, installed, commandLine);
        if (missing.empty()) {
            if (checkedDisplay)
                messagesBeforeTheCheck = qInstallMessageHandler(WatchPlatformStart);
            return "";
        }
        if (firstMissing.empty())
            firstMissing = missing;
    }
    return firstMissing;
}

void DisplayCheckDone()
{
    if (!checkedDisplay)
        return;
    qInstallMessageHandler(messagesBeforeTheCheck);
    XCloseDisplay(checkedDisplay);
    checkedDisplay = nullptr;
}
