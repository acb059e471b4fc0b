#include "core/JsonPath.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

// The largest index I-JSON numbers hold exactly (RFC 9535's int range).
constexpr int64_t MaxIndex = (int64_t{1} << 53) - 1;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsAlpha(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// The length of the well-formed UTF-8 sequence that text starts with (no
// surrogates, no overlong forms), or 0.
size_t Utf8SequenceLength(std::string_view text)
{
    const auto byte = [&](size_t i) { return i < text.size() ? static_cast<unsigned char>(text[i]) : 0u; };
    const unsigned lead = byte(0);
    size_t length = 0;
    unsigned low = 0x80, high = 0xBF; // the second byte's range
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (byte(1) < low || byte(1) > high)
        return 0;
    for (size_t i = 2; i < length; ++i)
        if (byte(i) < 0x80 || byte(i) > 0xBF)
            return 0;
    return length;
}

void AppendUtf8(std::string& out, uint32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

} // namespace

// Recursive descent over the grammar's subset; each method leaves FAt after
// what it read, or sets FFault and returns false.
class TJsonPathParser {
public:
    explicit TJsonPathParser(std::string_view text) : FText(text) {}

    std::optional<TJsonPath> Query(std::string& fault)
    {
        TJsonPath path;
        if (!Root(path) || !Segments(path)) {
            fault = "at " + std::to_string(FAt + 1) + ": " + FFault;
            return std::nullopt;
        }
        return path;
    }

private:
    std::string_view FText;
    size_t FAt = 0;
    std::string FFault;

    bool AtEnd() const { return FAt >= FText.size(); }
    char Peek(size_t ahead = 0) const { return FAt + ahead < FText.size() ? FText[FAt + ahead] : '\0'; }
    void SkipBlanks()
    {
        while (!AtEnd() && IsBlank(FText[FAt]))
            ++FAt;
    }
    bool Fail(std::string why)
    {
        FFault = std::move(why);
        return false;
    }

    bool Root(TJsonPath& path)
    {
        if (Peek() == '$')
            path.FStart = TJsonPath::TStart::Answer;
        else if (Peek() == '@')
            path.FStart = TJsonPath::TStart::Item;
        else
            return Fail("a selector starts with \"$\" (the answer) or \"@\" (the result)");
        ++FAt;
        return true;
    }

    bool Segments(TJsonPath& path)
    {
        for (;;) {
            const size_t before = FAt;
            SkipBlanks();
            if (AtEnd())
                return FAt == before || Fail("a selector ends with its last segment, not with blanks");
            if (Peek() != '.' && Peek() != '[')
                return Fail("expected \".\" or \"[\"");
            TJsonPath::TSegment segment;
            if (Peek() == '.') {
                if (Peek(1) == '.')
                    return Fail("descendant segments (\"..\") are not supported");
                ++FAt;
                if (!Shorthand(segment))
                    return false;
            } else if (!Bracket(segment)) {
                return false;
            }
            path.FSegments.push_back(std::move(segment));
        }
    }

    bool Shorthand(TJsonPath::TSegment& segment)
    {
        if (Peek() == '*') {
            ++FAt;
            segment.push_back({TJsonPath::TSelector::TKind::Wildcard, {}, 0});
            return true;
        }
        const size_t start = FAt;
        while (!AtEnd()) {
            const char c = FText[FAt];
            if (IsAlpha(c) || c == '_' || (IsDigit(c) && FAt > start)) {
                ++FAt;
            } else if (static_cast<unsigned char>(c) >= 0x80) {
                const size_t length = Utf8SequenceLength(FText.substr(FAt));
                if (length == 0)
                    return Fail("a member name is not valid UTF-8");
                FAt += length;
            } else {
                break;
            }
        }
        if (FAt == start)
            return Fail(IsDigit(Peek()) ? "a member name after \".\" cannot start with a digit: use [N] or ['N']"
                                        : "expected a member name or \"*\" after \".\"");
        segment.push_back({TJsonPath::TSelector::TKind::Name,
                           QString::fromUtf8(FText.data() + start, static_cast<qsizetype>(FAt - start)), 0});
        return true;
    }

    bool Bracket(TJsonPath::TSegment& segment)
    {
        ++FAt; // '['
        for (;;) {
            SkipBlanks();
            if (!Selector(segment))
                return false;
            SkipBlanks();
            if (Peek() == ']') {
                ++FAt;
                return true;
            }
            if (Peek() != ',')
                return Fail(AtEnd() ? "\"[\" is not closed" : "expected \",\" or \"]\"");
            ++FAt;
        }
    }

    bool Selector(TJsonPath::TSegment& segment)
    {
        const char c = Peek();
        if (c == '\'' || c == '"') {
            std::string name;
            if (!StringLiteral(name))
                return false;
            segment.push_back({TJsonPath::TSelector::TKind::Name, QString::fromUtf8(name), 0});
            return true;
        }
        if (c == '*') {
            ++FAt;
            segment.push_back({TJsonPath::TSelector::TKind::Wildcard, {}, 0});
            return true;
        }
        if (c == '-' || IsDigit(c)) {
            int64_t index = 0;
            if (!Integer(index))
                return false;
            SkipBlanks();
            if (Peek() == ':')
                return Fail("slices are not supported");
            segment.push_back({TJsonPath::TSelector::TKind::Index, {}, index});
            return true;
        }
        if (c == ':')
            return Fail("slices are not supported");
        if (c == '?')
            return Fail("filters are not supported");
        return Fail(AtEnd() ? "\"[\" is not closed" : "expected a name in quotes, an index or \"*\"");
    }

    bool Integer(int64_t& value)
    {
        const bool negative = Peek() == '-';
        const char lead = Peek(negative ? 1 : 0);
        if (!IsDigit(lead))
            return Fail("expected a digit");
        if (lead == '0' && (negative || IsDigit(Peek(1))))
            return Fail(negative ? "\"-0\" is not an index" : "an index has no leading zeros");
        if (negative)
            ++FAt;
        uint64_t magnitude = 0;
        while (IsDigit(Peek())) {
            magnitude = magnitude * 10 + static_cast<uint64_t>(Peek() - '0');
            if (magnitude > static_cast<uint64_t>(MaxIndex))
                return Fail("the index is out of range");
            ++FAt;
        }
        value = negative ? -static_cast<int64_t>(magnitude) : static_cast<int64_t>(magnitude);
        return true;
    }

    bool StringLiteral(std::string& out)
    {
        const char quote = FText[FAt++];
        for (;;) {
            if (AtEnd())
                return Fail("the name's quote is not closed");
            const char c = FText[FAt];
            if (c == quote) {
                ++FAt;
                return true;
            }
            if (static_cast<unsigned char>(c) < 0x20)
                return Fail("a control character in a name must be escaped");
            if (c != '\\') {
                if (static_cast<unsigned char>(c) >= 0x80) {
                    const size_t length = Utf8SequenceLength(FText.substr(FAt));
                    if (length == 0)
                        return Fail("a member name is not valid UTF-8");
                    out.append(FText.substr(FAt, length));
                    FAt += length;
                } else {
                    out += c;
                    ++FAt;
                }
                continue;
            }
            ++FAt;
            if (!Escape(quote, out))
                return false;
        }
    }

    bool Escape(char quote, std::string& out)
    {
        const char e = Peek();
        ++FAt;
        switch (e) {
        case 'b': out += '\b'; return true;
        case 'f': out += '\f'; return true;
        case 'n': out += '\n'; return true;
        case 'r': out += '\r'; return true;
        case 't': out += '\t'; return true;
        case '/': out += '/'; return true;
        case '\\': out += '\\'; return true;
        case 'u': break;
        default:
            if (e == quote) {
                out += e;
                return true;
            }
            --FAt;
            return Fail("unknown escape in a name");
        }
        uint32_t unit = 0;
        if (!Hex4(unit))
            return false;
        if (unit >= 0xDC00 && unit <= 0xDFFF)
            return Fail("a low surrogate without its high one");
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            uint32_t low = 0;
            if (Peek() != '\\' || Peek(1) != 'u')
                return Fail("a high surrogate without its low one");
            FAt += 2;
            if (!Hex4(low))
                return false;
            if (low < 0xDC00 || low > 0xDFFF)
                return Fail("a high surrogate without its low one");
            unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
        }
        AppendUtf8(out, unit);
        return true;
    }

    bool Hex4(uint32_t& unit)
    {
        for (int i = 0; i < 4; ++i) {
            const char h = Peek();
            uint32_t digit = 0;
            if (IsDigit(h))
                digit = static_cast<uint32_t>(h - '0');
            else if (h >= 'a' && h <= 'f')
                digit = static_cast<uint32_t>(h - 'a' + 10);
            else if (h >= 'A' && h <= 'F')
                digit = static_cast<uint32_t>(h - 'A' + 10);
            else
                return Fail("\"\\u\" needs four hex digits");
            unit = unit * 16 + digit;
            ++FAt;
        }
        return true;
    }
};

std::optional<TJsonPath> TJsonPath::Parse(std::string_view text, std::string& fault)
{
    return TJsonPathParser(text).Query(fault);
}

bool TJsonPath::Singular() const
{
    for (const TSegment& segment : FSegments)
        if (segment.size() != 1 || segment[0].Kind == TSelector::TKind::Wildcard)
            return false;
    return true;
}

std::vector<QJsonValue> TJsonPath::Select(const QJsonValue& start) const
{
    std::vector<QJsonValue> nodes{start};
    std::vector<QJsonValue> next;
    for (const TSegment& segment : FSegments) {
        next.clear();
        for (const QJsonValue& node : nodes) {
            for (const TSelector& selector : segment) {
                switch (selector.Kind) {
                case TSelector::TKind::Name:
                    if (node.isObject()) {
                        const QJsonObject object = node.toObject();
                        if (const auto it = object.constFind(selector.Name); it != object.constEnd())
                            next.push_back(*it);
                    }
                    break;
                case TSelector::TKind::Index:
                    if (node.isArray()) {
                        const QJsonArray array = node.toArray();
                        const int64_t i = selector.Index < 0 ? array.size() + selector.Index : selector.Index;
                        if (i >= 0 && i < array.size())
                            next.push_back(array.at(static_cast<qsizetype>(i)));
                    }
                    break;
                case TSelector::TKind::Wildcard:
                    if (node.isArray()) {
                        const QJsonArray array = node.toArray();
                        next.insert(next.end(), array.begin(), array.end());
                    } else if (node.isObject()) {
                        const QJsonObject object = node.toObject();
                        next.insert(next.end(), object.begin(), object.end());
                    }
                    break;
                }
            }
        }
        nodes.swap(next);
        if (nodes.empty())
            break;
    }
    return nodes;
}

QJsonValue TJsonPath::First(const QJsonValue& start) const
{
    std::vector<QJsonValue> nodes = Select(start);
    return nodes.empty() ? QJsonValue(QJsonValue::Undefined) : nodes.front();
}
