#pragma once
#include <array>
#include <cstddef>
#include <string>

// Where the next "<a", "/a" and "</a" (any case) start, at or after a point
// that mostly moves forward. All three are looked for in one scan, and one
// still lying ahead is not looked for again.
class TAnchorMarks {
public:
    enum TKind { Open, Slash, Close, Kinds };

    explicit TAnchorMarks(const std::string& text) : FText(text) {}

    // Brings all three up to date for `from`; then At() answers.
    void MoveTo(size_t from);
    size_t At(TKind kind) const { return FFound[kind]; }

private:
    const std::string& FText;
    // Known: no mark of the kind starts in [FFrom, FFound); FFound is one, or
    // npos when there is none at all from FFrom on.
    std::array<size_t, Kinds> FFrom{std::string::npos, std::string::npos, std::string::npos};
    std::array<size_t, Kinds> FFound{std::string::npos, std::string::npos, std::string::npos};
};
