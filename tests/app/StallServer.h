#pragma once
#include <string>

// A loopback port that takes connections (in the kernel's backlog) and
// never answers: requests to it stay running until they are aborted.
class StallServer {
public:
    StallServer();
    ~StallServer();
    StallServer(const StallServer&) = delete;
    StallServer& operator=(const StallServer&) = delete;
    int Port() const { return FPort; }
    std::string Url(const std::string& path) const;

private:
    int FSocket = -1;
    int FPort = 0;
};
