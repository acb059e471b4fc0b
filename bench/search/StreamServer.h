#pragma once
#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// A loopback server whose every answer is a picture header with a length of
// 1 MB and then a body that streams slowly until the client goes away, so
// that many transfers stay busy at once.
class StreamServer {
public:
    explicit StreamServer(int bytesPerSecond);
    ~StreamServer();
    std::string Url(const std::string& path) const;

private:
    void AcceptLoop();
    void Serve(int fd);
    int FListen = -1;
    int FPort = 0;
    int FBytesPerSecond;
    std::atomic<bool> FStop{false};
    std::thread FAcceptor;
    std::mutex FLock;
    std::vector<std::thread> FConnections;
};
