#pragma once
#include <string>

struct THttpUrlParts {
    std::string Proto, User, Pass, Host, Port, Path;
};

// Splits a URL textually; letter case is kept and nothing is validated.
THttpUrlParts ParseURL(const std::string& url);
