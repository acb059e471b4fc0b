#pragma once
#include <map>
#include <string>
#include <vector>

// One HTTP/1.0 GET sent as the program sends it, read until the server
// closes (at most 10 s).
struct RawAnswer {
    bool connected = false;
    int status = 0;
    std::map<std::string, std::string> headers; // names lower-cased
    std::string body;

    bool Has(const std::string& name) const { return headers.count(name) != 0; }
    std::string Header(const std::string& name) const
    {
        const auto it = headers.find(name);
        return it == headers.end() ? std::string() : it->second;
    }
};

// The program's described agent unless told another.
inline constexpr const char* DescribedAgent = "Mozilla/3.0 (compatible)";
RawAnswer RawGet(const std::string& url, const std::string& agent = DescribedAgent);

// The body split at carriage returns and line feeds.
std::vector<std::string> Lines(const std::string& body);
