#include "download/PictureFileName.h"

#include "download/SmartSave.h"

#include <QStringDecoder>

namespace {

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// "%" with two hex digits of either case is a byte; any other "%" stays.
std::string PercentDecoded(const std::string& text)
{
    std::string bytes;
    bytes.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && HexDigit(text[i + 1]) >= 0 && HexDigit(text[i + 2]) >= 0) {
            bytes += static_cast<char>(HexDigit(text[i + 1]) * 16 + HexDigit(text[i + 2]));
            i += 2;
        } else {
            bytes += text[i];
        }
    }
    return bytes;
}

bool IsUtf8(const std::string& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    // The decoding happens when its result becomes a string.
    const QString decoded = utf8.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    return !utf8.hasError();
}

// The start of a UTF-8 sequence at or before at.
size_t CharacterStart(const std::string& text, size_t at)
{
    while (at > 0 && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80)
        --at;
    return at;
}

// Longer names lose the end of their stem; an extension of up to 16 bytes stays.
std::string Bounded(const std::string& name)
{
    if (name.size() <= MaxFileNameBytes)
        return name;
    const size_t dot = name.rfind('.');
    const std::string ext = dot != std::string::npos && dot > 0 && name.size() - dot <= 16 ? name.substr(dot) : "";
    const std::string stem = name.substr(0, name.size() - ext.size());
    return stem.substr(0, CharacterStart(stem, MaxFileNameBytes - ext.size())) + ext;
}

} // namespace

std::string PictureFileName(const std::string& url)
{
    std::string segment = url.substr(0, url.find_first_of("?#"));
    segment = segment.substr(segment.rfind('/') + 1);
    if (const std::string decoded = PercentDecoded(segment); decoded != segment && IsUtf8(decoded))
        segment = decoded;
    return Bounded(SmartSave::SafeFileName(segment));
}
