#pragma once
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// An address with variables, as OpenSearch description templates write
// them: "{searchTerms}" takes that variable's value, "{startPage?}" is
// optional and left empty when it has none; a name may carry a prefix
// ("{geo:box}"). Everything outside braces is kept byte for byte.
class TUrlTemplate {
public:
    // The parsed template, or nullopt with fault saying where and why.
    static std::optional<TUrlTemplate> Parse(std::string_view text, std::string& fault);

    // The variables it names, each once, in order of first use.
    std::vector<std::string> Names() const;
    bool Uses(std::string_view name) const;

    // A variable's value as it goes into the address (the caller encodes
    // it); nullopt when it has none.
    using TValues = std::function<std::optional<std::string>(std::string_view name)>;
    // The address; nullopt when a variable that is not optional has no value.
    std::optional<std::string> Expand(const TValues& values) const;

private:
    struct TPart {
        std::string Text; // literal text, or the variable's name
        bool Variable = false;
        bool Optional = false;
    };
    std::vector<TPart> FParts;
};
