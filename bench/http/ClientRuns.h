#pragma once
#include "ToolRun.h"

#include <functional>
#include <string>
#include <vector>

class THttpCli;
class TNginx;

// Timed runs of THttpCli, for benchmarks that set them beside other tools.

// A GET of every URL (bodies of 10,000 bytes) into memory, `parallel` at
// once; Configure prepares each client before it starts.
TRun FetchMany(const std::vector<std::string>& urls, int parallel,
               const std::function<void(THttpCli&)>& Configure = {});
// Puts `files` bodies of 10,000 bytes below nginx's /s/ and lists them for
// curl (-K curlList) too; returns their URLs.
std::vector<std::string> WriteSmallFiles(const TNginx& nginx, int files, const std::string& curlList);
// The fastest run.
TRun Best(const std::vector<TRun>& runs);
