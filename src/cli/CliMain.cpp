#include "cli/CliMain.h"

#include "cli/CliApplication.h"
#include "cli/CliOptions.h"
#include "cli/CliSearch.h"

#include <iostream>
#include <unistd.h>

int RunCommandLine(int argc, char** argv)
{
    const TCliParse parse = ParseArguments(std::vector<std::string>(argv + 1, argv + argc));
    if (!parse.Error.empty()) {
        std::cerr << "glimmerscout: " << parse.Error << "\n\n" << Usage();
        return 2;
    }
    if (parse.Options.Help) {
        std::cout << Usage();
        return 0;
    }
    TCliApplication app(argc, argv);
    TCliSearch search(parse.Options, std::cout, std::cerr, ::isatty(STDERR_FILENO) == 1);
    return search.Run();
}
