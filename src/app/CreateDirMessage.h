#pragma once
#include <string>

// The message when a folder cannot be made; name as the user typed it or as
// Smart Save made it (UTF-8).
inline std::string CouldNotCreateDirectory(const std::string& name)
{
    return std::string("Couldn\u00B4t create directory ").append(name);
}
