#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A fuzz target's entry functions, built by the ordinary compiler, and the
// folder that holds its corpus* folders. gs_fuzzer lists each target here.
struct TFuzzTarget {
    std::string Name;
    std::string Folder;
    int (*TestOneInput)(const uint8_t* data, size_t size);
    int (*Initialize)(int* argc, char*** argv); // may be null
};

bool RegisterFuzzTarget(TFuzzTarget target);
// In the order of their names.
std::vector<TFuzzTarget> FuzzTargets();
