#include "platform/ProgramFiles.h"
#include "support/TestSupport.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>

namespace {

using TVariables = std::map<std::string, std::string>;

TEnvironment Environment(TVariables variables)
{
    return [variables = std::move(variables)](const std::string& name) {
        const auto it = variables.find(name);
        return it == variables.end() ? std::string() : it->second;
    };
}

// installed: the loading picture lies in ../share/glimmerscout, not beside the executable.
TProgramPlace Place(bool settingsBeside, bool writable, bool installed = false)
{
    return {"/opt/gs/bin/glimmerscout", settingsBeside, writable, !installed, installed};
}

struct TWhereCase {
    const char* Name;
    TProgramPlace Place;
    TVariables Variables;
    bool Portable;
    const char* SettingsFile;
    const char* ScratchFolder;
    const char* HistoryFile;
};

class WhereFilesLive : public ::testing::TestWithParam<TWhereCase> {};

TEST_P(WhereFilesLive, SettingsScratchCopiesAndHistory)
{
    const TWhereCase& c = GetParam();
    const TProgramFiles files = ProgramFilesFor(c.Place, Environment(c.Variables));
    EXPECT_EQ(files.Portable, c.Portable);
    EXPECT_EQ(files.SettingsFile, c.SettingsFile);
    EXPECT_EQ(files.ScratchFolder, c.ScratchFolder);
    EXPECT_EQ(files.HistoryFile, c.HistoryFile);
}

const TVariables kHomeOnly{{"HOME", "/home/ann"}};
const TVariables kAll{{"HOME", "/home/ann"},
                      {"XDG_CONFIG_HOME", "/cfg/"},
                      {"XDG_CACHE_HOME", "/cache"},
                      {"XDG_DATA_HOME", "/data"},
                      {"XDG_RUNTIME_DIR", "/run/user/1000"}};

INSTANTIATE_TEST_SUITE_P(
    ProgramFiles, WhereFilesLive,
    ::testing::Values(
        TWhereCase{"WritableFolder", Place(false, true), kAll, true, "/opt/gs/bin/glimmerscout.ini",
                   "/opt/gs/bin/slideshow/", "/opt/gs/bin/saved-pictures.txt"},
        TWhereCase{"SettingsFileBesideAReadOnlyFolder", Place(true, false), kAll, true,
                   "/opt/gs/bin/glimmerscout.ini", "/opt/gs/bin/slideshow/", "/opt/gs/bin/saved-pictures.txt"},
        TWhereCase{"InstalledInAWritableFolder", Place(false, true, true), kHomeOnly, false,
                   "/home/ann/.config/glimmerscout/glimmerscout.ini", "/home/ann/.cache/glimmerscout/slideshow/",
                   "/home/ann/.local/share/glimmerscout/saved-pictures.txt"},
        TWhereCase{"InstalledWithHomeOnly", Place(false, false), kHomeOnly, false,
                   "/home/ann/.config/glimmerscout/glimmerscout.ini", "/home/ann/.cache/glimmerscout/slideshow/",
                   "/home/ann/.local/share/glimmerscout/saved-pictures.txt"},
        TWhereCase{"InstalledWithXdgFolders", Place(false, false), kAll, false, "/cfg/glimmerscout/glimmerscout.ini",
                   "/run/user/1000/glimmerscout/slideshow/", "/data/glimmerscout/saved-pictures.txt"},
        TWhereCase{"CacheWithoutARuntimeFolder", Place(false, false),
                   {{"HOME", "/home/ann"}, {"XDG_CACHE_HOME", "/cache"}}, false,
                   "/home/ann/.config/glimmerscout/glimmerscout.ini", "/cache/glimmerscout/slideshow/",
                   "/home/ann/.local/share/glimmerscout/saved-pictures.txt"},
        TWhereCase{"RelativeXdgPathsAreIgnored", Place(false, false),
                   {{"HOME", "/home/ann/"},
                    {"XDG_CONFIG_HOME", "cfg"},
                    {"XDG_CACHE_HOME", "cache"},
                    {"XDG_DATA_HOME", "data"},
                    {"XDG_RUNTIME_DIR", "run"}},
                   false, "/home/ann/.config/glimmerscout/glimmerscout.ini",
                   "/home/ann/.cache/glimmerscout/slideshow/", "/home/ann/.local/share/glimmerscout/saved-pictures.txt"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(ProgramFiles, DataBesideTheExecutableOrInTheSharedDataFolder)
{
    EXPECT_EQ(ProgramFilesFor(Place(false, true, false), Environment(kAll)).DataFolder, "/opt/gs/bin");
    EXPECT_EQ(ProgramFilesFor(Place(false, false, true), Environment(kAll)).DataFolder, "/opt/gs/share/glimmerscout");
    EXPECT_EQ(ProgramFilesFor(Place(true, false, true), Environment(kAll)).DataFolder, "/opt/gs/share/glimmerscout");
}

TEST(ProgramFiles, OnlyAnInstalledCopyHasADefaultSaveFolder)
{
    EXPECT_EQ(ProgramFilesFor(Place(false, true), Environment(kHomeOnly)).DefaultSavePath, "");
    EXPECT_EQ(ProgramFilesFor(Place(false, false), Environment(kHomeOnly)).DefaultSavePath, "/home/ann/Pictures");
}

TEST(ProgramFiles, CreateSettingsFolderMakesTheInstalledCopysFolderOnly)
{
    namespace fs = std::filesystem;
    TempDir dir;
    TProgramFiles files;
    files.SettingsFile = dir.File("portable/glimmerscout.ini");
    CreateSettingsFolder(files);
    EXPECT_FALSE(fs::exists(dir.File("portable")));
    files.Portable = false;
    files.SettingsFile = dir.File("home/.config/glimmerscout/glimmerscout.ini");
    CreateSettingsFolder(files);
    EXPECT_TRUE(fs::is_directory(dir.File("home/.config/glimmerscout")));
    EXPECT_FALSE(fs::exists(files.SettingsFile)); // the file is made by its first write
}

struct TPicturesCase {
    const char* Name;
    const char* UserDirs; // nullptr: no user-dirs.dirs file
    const char* Expected; // below the home folder when relative
};

class PicturesFolder : public ::testing::TestWithParam<TPicturesCase> {};

TEST_P(PicturesFolder, ReadsUserDirsLikeXdgUserDir)
{
    const TPicturesCase& c = GetParam();
    TempDir home;
    std::filesystem::create_directories(home.File("cfg"));
    if (c.UserDirs)
        WriteFile(home.File("cfg/user-dirs.dirs"), c.UserDirs);
    const std::string expected = c.Expected[0] == '/' ? c.Expected : home.File(c.Expected);
    EXPECT_EQ(::PicturesFolder(Environment({{"HOME", home.Path()}, {"XDG_CONFIG_HOME", home.File("cfg")}})),
              expected);
}

INSTANTIATE_TEST_SUITE_P(
    ProgramFiles, PicturesFolder,
    ::testing::Values(
        TPicturesCase{"NoFile", nullptr, "Pictures"},
        TPicturesCase{"BelowHome", "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\nXDG_PICTURES_DIR=\"$HOME/Bilder\"\n", "Bilder"},
        TPicturesCase{"AbsoluteWithTrailingSlash", "# comment\n  XDG_PICTURES_DIR=\"/data/photos/\"\n",
                      "/data/photos"},
        TPicturesCase{"LastEntryCounts", "XDG_PICTURES_DIR=\"$HOME/a\"\nXDG_PICTURES_DIR=\"$HOME/b\"\n", "b"},
        TPicturesCase{"CommentedOut", "#XDG_PICTURES_DIR=\"/data\"\n", "Pictures"},
        TPicturesCase{"RelativeValueIsInvalid", "XDG_PICTURES_DIR=\"photos\"\n", "Pictures"}),
    [](const auto& info) { return std::string(info.param.Name); });

} // namespace
