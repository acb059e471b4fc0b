#pragma once
#include "ToolRun.h"

#include <functional>
#include <string>
#include <vector>

class THttpCli;
class TNginx;
class TStream;

// Timed runs of THttpCli, for benchmarks that set them beside other tools.

// A GET of every URL (bodies of 10,000 bytes) into memory, `parallel` at
// once; Configure prepares each client before it starts.
TRun FetchMany(const std::vector<std::string>& urls, int parallel,
               const std::function<void(THttpCli&)>& Configure = {});
// Puts `files` bodies of 10,000 bytes below nginx's /s/ and lists them for
// curl (-K curlList) too; returns their URLs.
std::vector<std::string> WriteSmallFiles(const TNginx& nginx, int files, const std::string& curlList);
// One GET into a stream (verified against caFile for https); returns its time
// and this process's CPU, and says on stderr when the body is not whole.
TRun FetchOne(const std::string& url, TStream& stream, int64_t expected, const std::string& caFile = {});
// A file of `bytes` pseudo-random bytes.
void WriteBig(const std::string& path, int64_t bytes);
// The fastest run.
TRun Best(const std::vector<TRun>& runs);
