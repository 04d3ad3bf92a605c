#include "app/commandLine.h"

#include "res/resource.h"
#include "res/stringTable.h"
#include "res/version.h"

#include <cstdio>
#include <cstring>

namespace {

// QApplication's own options (X11 and every platform) that take a value.
const char* const frameworkOptionsWithValue[] = {
    "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry", "qwindowicon",
    "qwindowtitle", "session", "display", "geometry", "style", "stylesheet", "name", "title", "visual",
    "ncols", "qmljsdebugger",
};
const char* const frameworkFlags[] = {"reverse", "widgetcount", "nograb", "dograb", "sync", "cmap"};

bool OneOf(const char* name, const char* const* list, size_t count)
{
    for (size_t i = 0; i < count; ++i)
        if (std::strcmp(name, list[i]) == 0)
            return true;
    return false;
}

// The framework's options are written with one dash; two are accepted too.
const char* OptionName(const char* argument)
{
    if (argument[0] != '-')
        return nullptr;
    return argument[1] == '-' ? argument + 2 : argument + 1;
}

CommandLine Refused(int refusal, const std::string& argument)
{
    CommandLine result;
    result.action = CommandLine::Refuse;
    result.refusal = refusal;
    result.badArgument = argument;
    return result;
}

} // namespace

CommandLine ReadCommandLine(int argc, const char* const argv[])
{
    CommandLine result;
    for (int i = 1; i < argc; ++i) {
        const char* argument = argv[i];
        if (std::strcmp(argument, "-h") == 0 || std::strcmp(argument, "--help") == 0) {
            result.action = CommandLine::ShowHelp;
            return result;
        }
        if (std::strcmp(argument, "-v") == 0 || std::strcmp(argument, "--version") == 0) {
            result.action = CommandLine::ShowVersion;
            return result;
        }
        if (std::strcmp(argument, "--bez-dzwieku") == 0) {
            result.soundOff = true;
            continue;
        }
        const char* name = OptionName(argument);
        if (std::strcmp(argument, "--komputer") == 0 || std::strncmp(argument, "--komputer=", 11) == 0) {
            const char* list = argument[10] == '=' ? argument + 11 : nullptr;
            if (!list && i + 1 >= argc)
                return Refused(IDS_COMPUTER_LIST_MISSING, argument);
            if (!list)
                list = argv[++i];
            result.computerSeats = ReadComputerList(list);
            if (!result.computerSeats)
                return Refused(IDS_BAD_COMPUTER_LIST, list);
            continue;
        }
        if (name && OneOf(name, frameworkOptionsWithValue, std::size(frameworkOptionsWithValue)) && i + 1 < argc) {
            const char* value = argv[++i];
            if (std::strcmp(name, "platform") == 0)
                result.platform = value;
            else if (std::strcmp(name, "display") == 0)
                result.display = value;
            continue;
        }
        if (name && OneOf(name, frameworkFlags, std::size(frameworkFlags)))
            continue;
        // One record, as a desktop program opens a document; "-" and options stay refused.
        if (!name && argument[0] != '\0' && result.recordPath.empty()) {
            result.recordPath = argument;
            continue;
        }
        return Refused(IDS_BAD_ARGUMENT, argument);
    }
    return result;
}

int AnswerCommandLine(const CommandLine& commandLine)
{
    switch (commandLine.action) {
    case CommandLine::ShowHelp:
        std::fputs(LoadStringUtf8(IDS_COMMAND_LINE_HELP), stdout);
        return 0;
    case CommandLine::ShowVersion:
        std::printf("%s %s\n", LoadStringUtf8(AFX_IDS_APP_TITLE), TARNOK_VERSION);
        return 0;
    case CommandLine::Refuse:
        std::fprintf(stderr, LoadStringUtf8(commandLine.refusal ? commandLine.refusal : IDS_BAD_ARGUMENT),
                     commandLine.badArgument.c_str());
        std::fputc('\n', stderr);
        return 2;
    case CommandLine::Play:
        break;
    }
    return 0;
}
