#pragma once
#include <functional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

// Inputs for differential tests: glued from tokens so that markers and
// their fragments meet often, or plain bytes.
std::string RandomTokens(std::mt19937& rng, const std::vector<std::string>& tokens, size_t maxTokens);
std::string RandomBytes(std::mt19937& rng, size_t maxSize);
// Every string over the alphabet up to the given size, the empty one included.
void ForEachString(std::string_view alphabet, size_t maxSize,
                   const std::function<void(const std::string&)>& visit);
