#include "core/GeneratedText.h"

std::string RandomTokens(std::mt19937& rng, const std::vector<std::string>& tokens, size_t maxTokens)
{
    std::uniform_int_distribution<size_t> count(0, maxTokens);
    std::uniform_int_distribution<size_t> pick(0, tokens.size() - 1);
    std::string s;
    for (size_t n = count(rng); n > 0; --n)
        s += tokens[pick(rng)];
    return s;
}

std::string RandomBytes(std::mt19937& rng, size_t maxSize)
{
    std::uniform_int_distribution<size_t> size(0, maxSize);
    std::uniform_int_distribution<int> byte(0, 255);
    std::string s(size(rng), '\0');
    for (char& c : s)
        c = static_cast<char>(byte(rng));
    return s;
}

void ForEachString(std::string_view alphabet, size_t maxSize,
                   const std::function<void(const std::string&)>& visit)
{
    std::string s;
    std::function<void()> grow = [&] {
        visit(s);
        if (s.size() == maxSize)
            return;
        for (char c : alphabet) {
            s.push_back(c);
            grow();
            s.pop_back();
        }
    };
    grow();
}
