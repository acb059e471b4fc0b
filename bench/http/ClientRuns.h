#pragma once
#include <functional>
#include <string>
#include <vector>

class THttpCli;
class TNginx;

// Timed runs of THttpCli and of other tools, for benchmarks that set them
// side by side.
struct TRun {
    double Seconds = 0;
    double Cpu = 0;
};

// CPU seconds this process has used so far.
double SelfCpu();
// Runs a program to its end; CPU seconds from the child's own usage.
TRun RunTool(std::vector<std::string> args);
// A GET of every URL (bodies of 10,000 bytes) into memory, `parallel` at
// once; Configure prepares each client before it starts.
TRun FetchMany(const std::vector<std::string>& urls, int parallel,
               const std::function<void(THttpCli&)>& Configure = {});
// Puts `files` bodies of 10,000 bytes below nginx's /s/ and lists them for
// curl (-K curlList) too; returns their URLs.
std::vector<std::string> WriteSmallFiles(const TNginx& nginx, int files, const std::string& curlList);
// The fastest run.
TRun Best(const std::vector<TRun>& runs);
