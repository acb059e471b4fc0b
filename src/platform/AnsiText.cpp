#include "platform/AnsiText.h"

#include <QStringDecoder>
#include <array>

namespace {
// 0x80..0x9F of Windows-1252; the five undefined codes map to themselves.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
}

QString ToQt(const std::string& ansi)
{
    QString out;
    out.reserve(static_cast<qsizetype>(ansi.size()));
    for (unsigned char c : ansi)
        out.append(QChar(c >= 0x80 && c < 0xA0 ? kHigh[c - 0x80] : char16_t(c)));
    return out;
}

std::optional<char> AnsiByte(char32_t u)
{
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return static_cast<char>(u);
    for (size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] == u)
            return static_cast<char>(0x80 + i);
    return std::nullopt;
}

std::string FromQt(const QString& text)
{
    std::string out;
    out.reserve(static_cast<size_t>(text.size()));
    for (QChar qc : text)
        out.push_back(AnsiByte(qc.unicode()).value_or('?'));
    return out;
}

std::string AsUtf8(const std::string& text)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    const QString decoded = utf8.decode(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
    return utf8.hasError() ? ToQt(text).toStdString() : text;
}
