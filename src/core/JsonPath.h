#pragma once
#include <QJsonValue>
#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A selector into a JSON answer, in a small subset of JSONPath (RFC 9535):
//   $            the answer; "@" instead starts at the result in hand
//   .name        a member (letters, digits, "_", any non-ASCII letter)
//   ['name']     a member by any name (single or double quotes, JSON escapes)
//   [2] [-1]     an array element, negative ones counted from the end
//   .* [*]       every element of an array, every member value of an object
//   ['a', 0]     several selectors in one bracket, their nodes in that order
// Blanks may stand between segments and inside brackets. Descendants (".."),
// slices and filters are refused when parsed. A step that finds nothing
// (a missing member, an index out of range, a name asked of an array)
// selects nothing; it is never an error.
class TJsonPath {
public:
    enum class TStart { Answer, Item };

    // The parsed selector, or nullopt with fault saying where and why.
    static std::optional<TJsonPath> Parse(std::string_view text, std::string& fault);

    TStart Start() const { return FStart; }
    // Selects at most one node (no wildcard, one selector a bracket).
    bool Singular() const;
    // The nodes it selects, in order: object members in the reader's order,
    // array elements in theirs.
    std::vector<QJsonValue> Select(const QJsonValue& start) const;
    // The first of them; undefined when there is none.
    QJsonValue First(const QJsonValue& start) const;

private:
    struct TSelector {
        enum class TKind { Name, Index, Wildcard } Kind;
        QString Name;
        int64_t Index = 0;
    };
    using TSegment = std::vector<TSelector>;

    TStart FStart = TStart::Answer;
    std::vector<TSegment> FSegments;

    friend class TJsonPathParser;
};
