#include "sampleweb/Hosts.h"

namespace sampleweb {

const char* HostName(Host host)
{
    switch (host) {
    case Host::HotBot: return "HotBot";
    case Host::Lycos: return "Lycos";
    case Host::ScourNet: return "ScourNet";
    case Host::SiteA: return "SiteA";
    case Host::SiteB: return "SiteB";
    case Host::Commons: return "Commons";
    case Host::Openverse: return "Openverse";
    case Host::Museums: return "Museums";
    case Host::Stall: return "Stall";
    }
    return "";
}

std::string Addresses::Base(Host host) const
{
    return FScheme + "://127.0.0.1:" + std::to_string(Port(host));
}

std::string Addresses::Expand(std::string text) const
{
    for (int i = 0; i < HostCount; ++i) {
        const Host host = static_cast<Host>(i);
        const std::string placeholder = std::string("{") + HostName(host) + "}";
        for (size_t p = text.find(placeholder); p != std::string::npos; p = text.find(placeholder, p))
            text.replace(p, placeholder.size(), Base(host));
    }
    return text;
}

} // namespace sampleweb
