#include "schedule/ConnectionProfile.h"

#include "platform/IniFile.h"
#include "platform/SettingsKeys.h"

#include <algorithm>
#include <climits>

namespace {

// The timers' profiles start at most this many of a kind a tick.
constexpr int StartsPerTick = 8;
// Bounds that keep a mistyped figure from emptying or flooding a search.
constexpr int MostPages = 256;
constexpr int MostChecks = 1024;
constexpr int MostPerHost = 64;

} // namespace

TConnectionProfile SlowProfile() { return {TProfileKind::Slow, 4, 9, StartsPerTick, false, false, 0}; }

TConnectionProfile FastProfile() { return {TProfileKind::Fast, 19, 24, StartsPerTick, false, false, 0}; }

TConnectionProfile BroadbandProfile(int pages, int checks, int perHost)
{
    // The limits let one more than themselves run.
    return {TProfileKind::Broadband, std::clamp(pages, 1, MostPages) - 1, std::clamp(checks, 1, MostChecks) - 1,
            INT_MAX, true, true, std::clamp(perHost, 1, MostPerHost)};
}

TProfileKind StoredProfileKind(const TIniFile& settings)
{
    if (Read(settings, Setting::Broadband))
        return TProfileKind::Broadband;
    return Read(settings, Setting::SlowConnection) ? TProfileKind::Slow : TProfileKind::Fast;
}

TConnectionProfile ReadConnectionProfile(const TIniFile& settings, std::optional<TProfileKind> kind)
{
    switch (kind.value_or(StoredProfileKind(settings))) {
    case TProfileKind::Slow: return SlowProfile();
    case TProfileKind::Fast: return FastProfile();
    case TProfileKind::Broadband: break;
    }
    return BroadbandProfile(Read(settings, Setting::BroadbandPages), Read(settings, Setting::BroadbandChecks),
                            Read(settings, Setting::BroadbandPerHost));
}

std::optional<TProfileKind> ParseProfileKind(const std::string& name)
{
    if (name == "slow")
        return TProfileKind::Slow;
    if (name == "fast")
        return TProfileKind::Fast;
    if (name == "broadband")
        return TProfileKind::Broadband;
    return std::nullopt;
}
