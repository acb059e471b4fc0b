#pragma once
#include <array>
#include <cstdint>
#include <string>

namespace sampleweb {

// Every server of the sample web listens on its own port of 127.0.0.1.
// Museums answers the four open collections' APIs, each on its own path.
enum class Host { HotBot, Lycos, ScourNet, SiteA, SiteB, Commons, Openverse, Museums, Stall };
constexpr int HostCount = 9;

// The name a host goes by in content text: "{SiteB}" stands for its base address.
const char* HostName(Host host);

// Ports of the running hosts and the base addresses made of them:
// scheme + "://127.0.0.1:" + port, no path, no trailing "/". The scheme is
// "http", or "https" for the hosts' TLS ports.
class Addresses {
public:
    Addresses() = default;
    explicit Addresses(const std::array<uint16_t, HostCount>& ports, std::string scheme = "http")
        : FPorts(ports), FScheme(std::move(scheme))
    {
    }

    uint16_t Port(Host host) const { return FPorts[static_cast<int>(host)]; }
    std::string Base(Host host) const;
    // Replaces every "{HostName}" by that host's base address.
    std::string Expand(std::string text) const;

private:
    std::array<uint16_t, HostCount> FPorts{};
    std::string FScheme = "http";
};

} // namespace sampleweb
