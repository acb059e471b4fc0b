#include "cli/CliMain.h"

#include "cli/ArgumentText.h"
#include "cli/CliApplication.h"
#include "cli/CliOptions.h"
#include "cli/CliSearch.h"
#include "cli/ExitStatus.h"
#include "cli/SourceList.h"
#include "platform/IniFile.h"

#include <QFileInfo>

#include <csignal>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <unistd.h>

int RunCommandLine(int argc, char** argv)
{
    if (argc < 2) {
        std::cerr << "glimmerscout: the window needs a display, and none is named (DISPLAY, WAYLAND_DISPLAY);\n"
                     "without one it searches from the command line:\n\n"
                  << Usage();
        return ExitStatus::BadArguments;
    }
    TCliParse parse = ParseArguments(std::vector<std::string>(argv + 1, argv + argc));
    if (!parse.Error.empty()) {
        std::cerr << "glimmerscout: " << parse.Error << "\n\n" << Usage();
        return ExitStatus::BadArguments;
    }
    if (parse.Options.Help) {
        std::cout << Usage();
        return ExitStatus::Ran;
    }
    // The sources read the phrase in UTF-8, whatever the terminal typed it in.
    parse.Options.Phrase = ArgumentAsUtf8(parse.Options.Phrase, LocaleCodeset());
    // A closed output shows as a failed write, which ends the search in order.
    std::signal(SIGPIPE, SIG_IGN);
    TCliApplication app(argc, argv);
    if (parse.Options.ListSources) {
        const std::string file = parse.Options.SettingsFile.empty() ? ProgramSettingsFile() : parse.Options.SettingsFile;
        if (!parse.Options.SettingsFile.empty() && !QFileInfo(QString::fromStdString(file)).isFile()) {
            std::cerr << "glimmerscout: no settings file " << file << "\n";
            return ExitStatus::BadArguments;
        }
        const TIniFile settings(file);
        if (const std::string wrong = CheckSourceNames(parse.Options, ReadSourceList(settings)); !wrong.empty()) {
            std::cerr << "glimmerscout: " << wrong << "\n\n" << Usage();
            return ExitStatus::BadArguments;
        }
        std::string refused;
        std::cout << SourceListText(settings, parse.Options, &refused) << std::flush;
        std::istringstream lines(refused);
        for (std::string line; std::getline(lines, line);)
            std::cerr << "glimmerscout: source refused: " << line << "\n";
        return ExitStatus::Ran;
    }
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
