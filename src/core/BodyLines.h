#pragma once
#include <algorithm>
#include <cstddef>
#include <cstring>

// The lines of a received body: a line runs to the next CR LF, lone CR or
// lone LF; a NUL ends the text of its line; text after the last break is a
// line when not empty. Calls visit(begin, end) with each line's text, in
// order. Linear: every byte is searched at most once per kind of byte.
template <class Visit>
void ForEachBodyLine(const char* data, size_t size, Visit visit)
{
    // The next position of one byte at or after a point that only moves forward.
    struct NextByte {
        char byte;
        const char* end;
        const char* found = nullptr;
        const char* From(const char* p)
        {
            if (!found || found < p) {
                const void* hit = std::memchr(p, byte, static_cast<size_t>(end - p));
                found = hit ? static_cast<const char*>(hit) : end;
            }
            return found;
        }
    };
    const char* p = data;
    const char* end = data + size;
    NextByte nextCR{'\r', end}, nextLF{'\n', end}, nextNUL{'\0', end};
    while (p < end) {
        const char* lineBreak = std::min(nextCR.From(p), nextLF.From(p));
        visit(p, std::min(nextNUL.From(p), lineBreak));
        if (lineBreak == end)
            break;
        p = lineBreak + 1;
        if (*lineBreak == '\r' && p < end && *p == '\n')
            ++p;
    }
}
