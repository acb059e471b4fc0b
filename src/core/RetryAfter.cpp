#include "core/RetryAfter.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <optional>
#include <strings.h>

namespace RetryAfter {
namespace {

// Header values are framed by optional blanks and tabs.
std::string_view Trimmed(std::string_view text)
{
    const size_t first = text.find_first_not_of(" \t");
    return first == std::string_view::npos ? std::string_view()
                                           : text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::optional<int> MonthIndex(const char* name)
{
    static constexpr std::array<const char*, 12> months{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    for (size_t i = 0; i < months.size(); ++i)
        if (strncasecmp(name, months[i], 3) == 0 && name[3] == '\0')
            return static_cast<int>(i);
    return std::nullopt;
}

// The three date forms HTTP allows, in GMT.
std::optional<std::time_t> HttpDate(std::string_view value)
{
    const std::string text(value);
    char weekday[16] = {}, month[4] = {}, zone[4] = {};
    int day = 0, year = 0, hour = 0, minute = 0, second = 0;
    std::tm tm{};
    bool read = std::sscanf(text.c_str(), "%15[A-Za-z], %d %3s %d %d:%d:%d %3s", weekday, &day, month, &year, &hour,
                            &minute, &second, zone) == 8;
    if (!read) {
        // RFC 850: "Sunday, 06-Nov-94 08:49:37 GMT".
        read = std::sscanf(text.c_str(), "%15[A-Za-z], %d-%3s-%d %d:%d:%d %3s", weekday, &day, month, &year, &hour,
                           &minute, &second, zone) == 8;
        if (read && year < 100)
            year += year < 70 ? 2000 : 1900;
    }
    if (!read) {
        // asctime: "Sun Nov  6 08:49:37 1994".
        read = std::sscanf(text.c_str(), "%15[A-Za-z] %3s %d %d:%d:%d %d", weekday, month, &day, &hour, &minute,
                           &second, &year) == 7;
        std::strcpy(zone, "GMT");
    }
    const std::optional<int> mon = read ? MonthIndex(month) : std::nullopt;
    if (!mon || strcasecmp(zone, "GMT") != 0 || day < 1 || day > 31 || hour > 23 || minute > 59 || second > 60
        || year < 1900 || year > 9999)
        return std::nullopt;
    tm.tm_year = year - 1900;
    tm.tm_mon = *mon;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    return timegm(&tm);
}

} // namespace

int64_t Seconds(std::string_view value, std::time_t now)
{
    value = Trimmed(value);
    int64_t seconds = DefaultSeconds;
    const char* end = value.data() + value.size();
    int64_t delay = 0;
    if (const auto [at, ec] = std::from_chars(value.data(), end, delay); !value.empty() && at == end) {
        if (ec == std::errc() && delay >= 0)
            seconds = delay;
        else if (ec == std::errc::result_out_of_range && value.front() != '-')
            seconds = MaxSeconds;
    } else if (const std::optional<std::time_t> date = HttpDate(value)) {
        seconds = static_cast<int64_t>(*date) - static_cast<int64_t>(now);
    }
    return std::clamp(seconds, MinSeconds, MaxSeconds);
}

std::string HeaderValue(const std::vector<std::string>& headerLines)
{
    static constexpr std::string_view name = "retry-after:";
    for (const std::string& line : headerLines)
        if (line.size() >= name.size() && strncasecmp(line.c_str(), name.data(), name.size()) == 0)
            return std::string(Trimmed(std::string_view(line).substr(name.size())));
    return {};
}

std::string WaitText(int64_t seconds)
{
    if (seconds < 60)
        return std::to_string(std::max<int64_t>(seconds, 0)) + " s";
    const int64_t minutes = (seconds + 59) / 60;
    if (minutes < 120)
        return std::to_string(minutes) + " min";
    const std::string hours = std::to_string(minutes / 60) + " h";
    return minutes % 60 ? hours + " " + std::to_string(minutes % 60) + " min" : hours;
}

} // namespace RetryAfter
