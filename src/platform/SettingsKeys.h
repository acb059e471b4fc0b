#pragma once
#include "platform/IniFile.h"

#include <string>

// The settings file's keys, each with its section and the default its readers
// give it. Where readers differ, each reader's default has its own row, named
// after the reader; key names match ignoring case, so rows of one key with
// other letter cases read and write the same value.
struct TSettingsKey {
    const char* Section;
    const char* Key;
};

template <class T>
struct TSetting : TSettingsKey {
    T Default;
};

namespace Setting {

inline constexpr const char* Options = "Options";

// The main window's switches and place.
inline constexpr TSetting<bool> CheckLinks{{Options, "CheckLinks"}, true};
inline constexpr TSetting<bool> RecursiveSearch{{Options, "RecursiveSearch"}, true};
inline constexpr TSetting<bool> Maximized{{Options, "Maximized"}, false};
inline constexpr TSetting<int> LeftPos{{Options, "LeftPos"}, 1};
inline constexpr TSetting<int> TopPos{{Options, "TopPos"}, 1};
inline constexpr TSetting<int> Width{{Options, "Width"}, 1};
inline constexpr TSetting<int> Height{{Options, "Height"}, 1};
// Empty: no place was ever stored.
inline constexpr TSetting<const char*> LeftPosStored{{Options, "LeftPos"}, ""};
inline constexpr TSetting<bool> FramePlace{{Options, "FramePlace"}, false};

// The search.
inline constexpr TSetting<bool> SlowConnection{{Options, "SlowConnection"}, true};
// The broadband profile, in a key of its own: a file that has it keeps
// SlowConnection at the LAN's choice for a version that knows only that key.
inline constexpr TSetting<bool> Broadband{{Options, "Broadband"}, false};
inline constexpr TSetting<int> BroadbandPages{{Options, "BroadbandPages"}, 16};
inline constexpr TSetting<int> BroadbandChecks{{Options, "BroadbandChecks"}, 48};
inline constexpr TSetting<int> BroadbandPerHost{{Options, "BroadbandPerHost"}, 6};
inline constexpr TSetting<int> SourcePages{{Options, "SourcePages"}, 3};
inline constexpr TSetting<const char*> PictureTypes{{Options, "PictureTypes"}, "jpeg"};
// Which pictures of the live sources are kept by their licence: "any",
// "commercial" (allows commercial use) or "changes" (allows changes).
inline constexpr TSetting<const char*> LicenceFilter{{Options, "LicenceFilter"}, "any"};
// An e-mail address or a page the sources' agent names, as their policies ask.
inline constexpr TSetting<const char*> SourceContact{{Options, "SourceContact"}, ""};

// The size filter, in thousands of bytes. Its upper bound is applied by the
// search when the file holds no switch, while the options page shows it off
// until the user says otherwise, as the program always did; the page writes
// the switch in its own letter case.
inline constexpr TSetting<bool> LargerThanBool{{Options, "LargerThanBool"}, true};
inline constexpr TSetting<int> LargerThan{{Options, "LargerThan"}, 20};
inline constexpr TSetting<bool> SmallerThanBoolSearch{{Options, "SmallerThanBool"}, true};
inline constexpr TSetting<bool> SmallerThanBoolShown{{Options, "SmallerThanBool"}, false};
inline constexpr TSettingsKey SmallerThanBoolWritten{Options, "SmallerThanbool"};
inline constexpr TSetting<int> SmallerThan{{Options, "SmallerThan"}, 1000};

// The dimension filter: the options page offers a full-HD screen's size
// when the file holds none; the search then filters at nothing.
inline constexpr TSetting<bool> MinWidthBool{{Options, "MinWidthBool"}, false};
inline constexpr TSetting<bool> MinHeightBool{{Options, "MinHeightBool"}, false};
inline constexpr TSetting<int> MinWidthSearch{{Options, "MinWidth"}, 0};
inline constexpr TSetting<int> MinHeightSearch{{Options, "MinHeight"}, 0};
inline constexpr TSetting<int> MinWidthShown{{Options, "MinWidth"}, 1920};
inline constexpr TSetting<int> MinHeightShown{{Options, "MinHeight"}, 1080};

// Where the services and the live sources are asked, and which sources are:
// their defaults stay beside them (Services.h, the sources' descriptions);
// the sample web writes its own addresses here. A source's keys are made
// from its short name (Sources.h): these are the built-in ones'.
inline constexpr TSettingsKey HotBotBaseAddress{Options, "HotBotBaseAddress"};
inline constexpr TSettingsKey LycosBaseAddress{Options, "LycosBaseAddress"};
inline constexpr TSettingsKey ScourNetBaseAddress{Options, "ScourNetBaseAddress"};
inline constexpr TSettingsKey CommonsBaseAddress{Options, "CommonsBaseAddress"};
inline constexpr TSettingsKey OpenverseBaseAddress{Options, "OpenverseBaseAddress"};
inline constexpr TSettingsKey ClevelandBaseAddress{Options, "ClevelandBaseAddress"};
inline constexpr TSettingsKey ArticBaseAddress{Options, "ArticBaseAddress"};
inline constexpr TSettingsKey VamBaseAddress{Options, "VamBaseAddress"};
inline constexpr TSettingsKey LocBaseAddress{Options, "LocBaseAddress"};
inline constexpr TSettingsKey SearchCommons{Options, "SearchCommons"};
inline constexpr TSettingsKey SearchOpenverse{Options, "SearchOpenverse"};

// The proxies every request goes through, and the one extra trusted CA.
inline constexpr TSetting<const char*> ProxyServer{{Options, "ProxyServer"}, ""};
inline constexpr TSetting<const char*> ProxyPort{{Options, "ProxyPort"}, "80"};
inline constexpr TSetting<const char*> SocksServer{{Options, "SocksServer"}, ""};
inline constexpr TSetting<const char*> SocksPort{{Options, "SocksPort"}, "1080"};
inline constexpr TSetting<const char*> SocksLevel{{Options, "SocksLevel"}, "5"};
inline constexpr TSetting<const char*> SocksUsercode{{Options, "SocksUsercode"}, ""};
inline constexpr TSetting<const char*> SocksPassword{{Options, "SocksPassword"}, ""};
inline constexpr TSetting<const char*> TlsCaFile{{Options, "TlsCaFile"}, ""};

// Saving and the slide show; the save folder's default depends on where the
// program runs (ProgramFiles).
inline constexpr TSetting<int> Wait{{Options, "Wait"}, 10};
inline constexpr TSetting<bool> SubDir{{Options, "SubDir"}, false};
inline constexpr TSetting<bool> NumberedList{{Options, "NumberedList"}, false};
// Off: as described, every download is saved, a copy of a saved picture too.
inline constexpr TSetting<bool> SaveOnce{{Options, "SaveOnce"}, false};
// A source's credit for a picture, written beside it when it is saved.
inline constexpr TSetting<bool> CreditSidecars{{Options, "CreditSidecars"}, true};
inline constexpr TSettingsKey SavePath{Options, "SavePath"};

} // namespace Setting

inline bool Read(const TIniFile& ini, const TSetting<bool>& s) { return ini.ReadBool(s.Section, s.Key, s.Default); }
inline int Read(const TIniFile& ini, const TSetting<int>& s) { return ini.ReadInteger(s.Section, s.Key, s.Default); }
inline std::string Read(const TIniFile& ini, const TSetting<const char*>& s)
{
    return ini.ReadString(s.Section, s.Key, s.Default);
}

inline void Write(TIniFile& ini, const TSettingsKey& k, bool value) { ini.WriteBool(k.Section, k.Key, value); }
inline void Write(TIniFile& ini, const TSettingsKey& k, int value) { ini.WriteInteger(k.Section, k.Key, value); }
inline void Write(TIniFile& ini, const TSettingsKey& k, const std::string& value)
{
    ini.WriteString(k.Section, k.Key, value);
}
// A literal would be written as a switch.
void Write(TIniFile& ini, const TSettingsKey& k, const char* value) = delete;
