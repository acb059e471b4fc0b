#pragma once
#include <string>

// Where a request goes: the host and port connected to, the host named in
// "Host: " (with the URL's own port, used in absolute paths through a
// proxy) and the request target.
struct THttpTarget {
    std::string HostName, ConnectPort, TargetHost, TargetPort, Path;
    bool Tls = false; // https
};

// Follows the value of a "location" header line. Through a proxy the
// connection stays with the proxy and the path becomes absolute. A value
// without a scheme keeps the target's; https:// sets Tls, any other clears it.
void ApplyRelocation(THttpTarget& t, const std::string& location, bool viaProxy);
