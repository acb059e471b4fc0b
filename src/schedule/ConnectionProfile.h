#pragma once
#include <optional>
#include <string>

class TIniFile;

// How a search runs its requests: the data the scheduler reads at every
// search start. The slow and fast profiles start requests on the start ticks,
// a few a tick, and reap one finished request a reap tick, as the program
// always did; the broadband profile starts work as soon as a slot is free,
// reaps every finished request at once, and keeps to a few requests a host.
enum class TProfileKind { Slow, Fast, Broadband };

struct TConnectionProfile {
    TProfileKind Kind = TProfileKind::Slow;
    // A request of a kind starts while no more than its limit are held
    // (TRequestScheduler::RoomToStart): one more than the limit runs.
    int GetPageClientLimit = 4;
    int CheckLinkClientLimit = 9;
    int StartsPerTick = 8; // per start tick and kind
    bool ReapEveryFinished = false; // else one finished request a reap tick
    // A finished request, a time-out, an abort or queued work asks for a
    // pass of reaps and starts at once, besides the ticks.
    bool StartWhenFree = false;
    int PerHostCap = 0; // requests held at once to one host, pages and checks together; 0: no cap
};

TConnectionProfile SlowProfile();
TConnectionProfile FastProfile();
// At most pages page fetches and checks link checks at once, and perHost
// requests at once to one host; each figure is taken into its bounds.
TConnectionProfile BroadbandProfile(int pages, int checks, int perHost);

// The profile the settings file chooses (Broadband, else SlowConnection),
// or the kind asked for instead, with the file's broadband figures.
TConnectionProfile ReadConnectionProfile(const TIniFile& settings, std::optional<TProfileKind> kind = {});
TProfileKind StoredProfileKind(const TIniFile& settings);

// "slow", "fast", "broadband": the command line's names.
std::optional<TProfileKind> ParseProfileKind(const std::string& name);
