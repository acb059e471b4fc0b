#pragma once
#include <chrono>
#include <cstdint>
#include <thread>
#include <vector>

namespace sampleweb {

// A host that accepts connections and never answers. It closes each
// connection after `holdLimit`, or when it stops.
class StallServer {
public:
    explicit StallServer(std::chrono::milliseconds holdLimit = std::chrono::seconds(60));
    ~StallServer();
    StallServer(const StallServer&) = delete;
    StallServer& operator=(const StallServer&) = delete;

    // Listens on a free port of 127.0.0.1 and returns it; throws std::runtime_error.
    uint16_t Start();
    void Stop();

private:
    struct Held {
        int fd;
        std::chrono::steady_clock::time_point since;
    };

    void Run();
    void CloseExpired();

    std::chrono::milliseconds FHoldLimit;
    int FListen = -1;
    int FWake[2] = {-1, -1};
    std::vector<Held> FHeld;
    std::thread FThread;
};

} // namespace sampleweb
