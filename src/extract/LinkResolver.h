#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// AnalyzePath for the many links of one page: the prefixes made from the
// origin are kept, as every link of the page shares them.
class TLinkResolver {
public:
    explicit TLinkResolver(std::string origin);

    // AnalyzePath of the link against the origin (logs its line on failure
    // and gives the empty text).
    std::string Resolve(std::string_view link);
    // The same into a buffer the caller reuses (empty on failure).
    void ResolveInto(std::string_view link, std::string& absolute);

private:
    const std::string& Prefix(size_t levels, bool fromRoot);

    std::string FOrigin;
    size_t FMostLevels;   // going up further than this changes nothing
    std::optional<std::string> FRootPrefix;
    std::vector<std::optional<std::string>> FPrefixByLevels;
};

// The link unchanged when it starts with "http://", "https://" or "ftp://", else the
// prefix of EditOriginURL followed by the link less its "../" run.
std::string AnalyzePath(const std::string& link, const std::string& origin);
