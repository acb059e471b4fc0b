#include "cli/CliMain.h"

#include "cli/CliApplication.h"
#include "cli/CliOptions.h"
#include "cli/CliSearch.h"
#include "cli/ExitStatus.h"

#include <csignal>
#include <cstdlib>
#include <iostream>
#include <unistd.h>

int RunCommandLine(int argc, char** argv)
{
    if (argc < 2) {
        std::cerr << "glimmerscout: the window needs a display, and none is named (DISPLAY, WAYLAND_DISPLAY);\n"
                     "without one it searches from the command line:\n\n"
                  << Usage();
        return ExitStatus::BadArguments;
    }
    const TCliParse parse = ParseArguments(std::vector<std::string>(argv + 1, argv + argc));
    if (!parse.Error.empty()) {
        std::cerr << "glimmerscout: " << parse.Error << "\n\n" << Usage();
        return ExitStatus::BadArguments;
    }
    if (parse.Options.Help) {
        std::cout << Usage();
        return ExitStatus::Ran;
    }
    // A closed output shows as a failed write, which ends the search in order.
    std::signal(SIGPIPE, SIG_IGN);
    TCliApplication app(argc, argv);
    TCliSearch search(parse.Options, std::cout, std::cerr, ::isatty(STDERR_FILENO) == 1);
    return search.Run();
}

bool DisplayNamed()
{
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(name);
        if (value && *value)
            return true;
    }
    return false;
}
