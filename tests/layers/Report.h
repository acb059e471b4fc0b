#pragma once
#include <string>
#include <vector>

// The heading of the layer table in docs/architecture.md.
inline const std::string kLayerHeading = "### Who may include whom";

// A check's findings, one indented line each, for a failure's message.
inline std::string Lines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += "\n  " + line;
    return text;
}
