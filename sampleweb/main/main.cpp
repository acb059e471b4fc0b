// glimmerscout-sampleweb [--ini FILE]: serves the sample web on 127.0.0.1
// until SIGINT or SIGTERM, and prints its addresses. With --ini it also
// points the program's settings file at it.
#include "sampleweb/BaseAddressSettings.h"
#include "sampleweb/SampleWeb.h"

#include <csignal>
#include <cstring>
#include <exception>
#include <iostream>
#include <pthread.h>

int main(int argc, char** argv)
{
    std::string iniFile;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--ini") == 0 && i + 1 < argc) {
            iniFile = argv[++i];
        } else {
            std::cerr << "usage: " << argv[0] << " [--ini FILE]\n";
            return 2;
        }
    }
    // The server threads inherit the mask, so only sigwait below sees these.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    signal(SIGPIPE, SIG_IGN);

    using namespace sampleweb;
    SampleWeb web;
    try {
        web.Start();
        if (!iniFile.empty())
            WriteBaseAddressSettings(iniFile, web.GetAddresses());
    } catch (const std::exception& e) {
        std::cerr << e.what() << "\n";
        return 1;
    }
    const Addresses& a = web.GetAddresses();
    std::cout << "HotBotBaseAddress=" << a.Base(Host::HotBot) << "\n"
              << "LycosBaseAddress=" << a.Base(Host::Lycos) << "\n"
              << "ScourNetBaseAddress=" << a.Base(Host::ScourNet) << "\n"
              << "Sites: " << a.Base(Host::SiteA) << " " << a.Base(Host::SiteB) << " (stalling host "
              << a.Base(Host::Stall) << ")\n";
    if (!iniFile.empty())
        std::cout << "Written to " << iniFile << "\n";
    std::cout << "Sample web ready" << std::endl;

    int received = 0;
    sigwait(&stopSignals, &received);
    web.Stop();
    return 0;
}
