#include "core/JsonLines.h"

namespace {

class TLineScan {
public:
    explicit TLineScan(std::string_view text) : FText(text) {}

    int Find(const std::vector<std::string>& path)
    {
        Blanks();
        return Value(path, 0);
    }

private:
    std::string_view FText;
    size_t FAt = 0;
    int FLine = 1;

    char Peek() const { return FAt < FText.size() ? FText[FAt] : '\0'; }

    void Blanks()
    {
        while (FAt < FText.size() && (FText[FAt] == ' ' || FText[FAt] == '\t' || FText[FAt] == '\r' || FText[FAt] == '\n')) {
            if (FText[FAt] == '\n')
                ++FLine;
            ++FAt;
        }
    }

    // The text between the quotes, escapes as written (names here are plain).
    std::string_view String()
    {
        const size_t start = ++FAt;
        while (FAt < FText.size() && FText[FAt] != '"')
            FAt += FText[FAt] == '\\' ? 2 : 1;
        const std::string_view inside = FText.substr(start, std::min(FAt, FText.size()) - start);
        ++FAt;
        return inside;
    }

    // At a value's first character: the line of the value at path[depth...].
    int Value(const std::vector<std::string>& path, size_t depth)
    {
        const int here = FLine;
        if (depth == path.size())
            return here;
        const char open = Peek();
        if (open != '{' && open != '[')
            return here;
        ++FAt;
        for (size_t index = 0;; ++index) {
            Blanks();
            if (Peek() == '}' || Peek() == ']' || FAt >= FText.size())
                return here;
            bool wanted = false;
            if (open == '{') {
                wanted = String() == path[depth];
                Blanks();
                ++FAt; // ':'
                Blanks();
            } else {
                wanted = std::to_string(index) == path[depth];
            }
            if (wanted)
                return Value(path, depth + 1);
            Skip();
            Blanks();
            if (Peek() == ',')
                ++FAt;
        }
    }

    // Past one value of any kind.
    void Skip()
    {
        int nesting = 0;
        while (FAt < FText.size()) {
            const char c = FText[FAt];
            if (c == '"') {
                String();
                if (nesting == 0)
                    return;
                continue;
            }
            if (nesting == 0 && (c == ',' || c == '}' || c == ']' || c == ' ' || c == '\t' || c == '\r' || c == '\n'))
                return;
            if (c == '{' || c == '[') {
                ++nesting;
            } else if (c == '}' || c == ']') {
                ++FAt;
                if (--nesting == 0)
                    return;
                continue;
            } else if (c == '\n') {
                ++FLine;
            }
            ++FAt;
        }
    }
};

} // namespace

int JsonLineOf(std::string_view text, const std::vector<std::string>& path) { return TLineScan(text).Find(path); }
