#pragma once
#include <chrono>
#include <functional>
#include <string>

// A fresh folder below the system's temporary folder, removed with the object.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& Path() const { return FPath; }
    std::string File(const std::string& name) const { return FPath + "/" + name; }

private:
    std::string FPath;
};

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& bytes);

// Runs the event loop until the condition holds or the time is up.
bool WaitUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds limit = std::chrono::seconds(10));
// Runs the event loop for the given time: for benchmarks, which measure over
// a time. Tests wait on the event they expect instead.
void RunEventLoopFor(std::chrono::milliseconds time);
// Runs the event loop until a marker posted now has been delivered, `rounds`
// times over, each marker posted by the one before: messages already queued,
// and what sockets and due timers report now, have then been delivered.
// Tests that check that something does not happen use it after the cause.
void RunPendingEvents(int rounds = 3);
