// glimmerscout-sampleweb [--ini FILE] [--https]: serves the sample web on
// 127.0.0.1 over HTTP and HTTPS until SIGINT or SIGTERM, and prints its
// addresses. With --ini it also points the program's settings file at it
// (at its HTTPS side with --https) and names the CA it made.
#include "sampleweb/BaseAddressSettings.h"
#include "sampleweb/SampleWeb.h"

#include <csignal>
#include <cstring>
#include <exception>
#include <iostream>
#include <pthread.h>

namespace {

void PrintAddresses(const sampleweb::Addresses& a)
{
    using sampleweb::Host;
    std::cout << "HotBotBaseAddress=" << a.Base(Host::HotBot) << "\n"
              << "LycosBaseAddress=" << a.Base(Host::Lycos) << "\n"
              << "ScourNetBaseAddress=" << a.Base(Host::ScourNet) << "\n"
              << "CommonsBaseAddress=" << a.Base(Host::Commons) << "\n"
              << "OpenverseBaseAddress=" << a.Base(Host::Openverse) << "\n"
              << "Sites: " << a.Base(Host::SiteA) << " " << a.Base(Host::SiteB) << "\n";
}

} // namespace

int main(int argc, char** argv)
{
    std::string iniFile;
    bool https = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--ini") == 0 && i + 1 < argc) {
            iniFile = argv[++i];
        } else if (std::strcmp(argv[i], "--https") == 0) {
            https = true;
        } else {
            std::cerr << "usage: " << argv[0] << " [--ini FILE] [--https]\n";
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
            WriteBaseAddressSettings(iniFile, https ? web.GetSecureAddresses() : web.GetAddresses(), web.CaFile());
    } catch (const std::exception& e) {
        std::cerr << e.what() << "\n";
        return 1;
    }
    PrintAddresses(web.GetAddresses());
    PrintAddresses(web.GetSecureAddresses());
    std::cout << "Stalling host: " << web.GetAddresses().Base(Host::Stall) << "\n"
              << "TlsCaFile=" << web.CaFile() << "\n";
    if (!iniFile.empty())
        std::cout << "Written to " << iniFile << "\n";
    std::cout << "Sample web ready" << std::endl;

    int received = 0;
    sigwait(&stopSignals, &received);
    web.Stop();
    return 0;
}
