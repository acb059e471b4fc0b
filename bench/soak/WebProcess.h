#pragma once
#include "sampleweb/GeneratedWeb.h"

#include <string>
#include <sys/types.h>

// The generated web in a child process of its own, so that what this process
// measures (resident memory, CPU time) is the program's alone. Start it
// before any thread exists. The child ends when stopped, when this process
// ends, or after an hour at most.
class WebProcess {
public:
    WebProcess();
    ~WebProcess();
    WebProcess(const WebProcess&) = delete;
    WebProcess& operator=(const WebProcess&) = delete;

    const std::string& Base() const { return FBase; }
    // Counted by the child, read here.
    const sampleweb::GeneratedWebCounts& Counts() const { return *FCounts; }

private:
    sampleweb::GeneratedWebCounts* FCounts = nullptr;
    pid_t FPid = -1;
    std::string FBase;
};
