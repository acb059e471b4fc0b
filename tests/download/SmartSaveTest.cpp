#include "download/SmartSave.h"
#include "platform/IniFile.h"
#include "support/TestSupport.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace SmartSave;

namespace {

std::string Write(TDownloadFile& file, const std::string& bytes)
{
    file.Write(bytes.data(), bytes.size());
    return file.Target();
}

TEST(SmartSave, NumbersFollowTheFilesAlreadyThere)
{
    TempDir dir;
    const TSettings settings{dir.File("images"), true, true};
    fs::create_directories(dir.File("images/red cars"));
    WriteFile(dir.File("images/red cars/red cars_1.jpg"), "old");

    const std::string folder = SaveFolder(settings, "red cars");
    auto first = CreateTarget(settings, folder, "red cars", "pic.jpg");
    auto second = CreateTarget(settings, folder, "red cars", "other.jpg");
    EXPECT_EQ(fs::path(first->Target()), fs::path(dir.File("images/red cars/red cars_2.jpg")));
    EXPECT_EQ(fs::path(second->Target()), fs::path(dir.File("images/red cars/red cars_3.jpg")));
    EXPECT_EQ(ReadFile(dir.File("images/red cars/red cars_1.jpg")), "old");

    // The name's last four characters make the extension, however short.
    EXPECT_EQ(fs::path(CreateTarget(settings, folder, "red cars", "ab")->Target()).filename(), "red cars_1ab");
    // Every picture type keeps its extension.
    EXPECT_EQ(fs::path(CreateTarget(settings, folder, "red cars", "p.png")->Target()).filename(), "red cars_1.png");
    EXPECT_EQ(fs::path(CreateTarget(settings, folder, "red cars", "p.webp")->Target()).filename(), "red cars_1.webp");
    // An empty phrase numbers the files of the save folder itself.
    const std::string plain = SaveFolder(settings, "");
    EXPECT_EQ(fs::path(CreateTarget(settings, plain, "", "x.jpg")->Target()), fs::path(dir.File("images/_1.jpg")));
}

TEST(SmartSave, CreatesFoldersOneLevelAtATime)
{
    TempDir dir;
    EXPECT_EQ(SaveFolder({dir.File("a"), true, false}, "cats"), dir.File("a/cats"));
    EXPECT_TRUE(fs::is_directory(dir.File("a/cats")));
    EXPECT_EQ(SaveFolder({dir.File("a") + "/", true, false}, "dogs"), dir.File("a/dogs"));

    // A missing parent is not created; the download then fails to create its file.
    const TSettings deep{dir.File("x/y"), false, false};
    const std::string folder = SaveFolder(deep, "cats");
    EXPECT_EQ(folder, dir.File("x/y"));
    EXPECT_FALSE(fs::exists(dir.File("x")));
    EXPECT_THROW(CreateTarget(deep, folder, "cats", "a.jpg"), EStreamError);
}

TEST(SmartSave, TwoDownloadsNeverShareAFile)
{
    TempDir dir;
    const TSettings settings{dir.Path(), false, false};
    auto first = CreateTarget(settings, dir.Path(), "", "same.jpg");
    Write(*first, "first");
    EXPECT_THROW(CreateTarget(settings, dir.Path(), "", "same.jpg"), EStreamError);
    Write(*first, " picture");
    first->Commit();
    first.reset();
    EXPECT_EQ(ReadFile(dir.File("same.jpg")), "first picture");

    // Once the first has finished, a new download of that name replaces it.
    auto again = CreateTarget(settings, dir.Path(), "", "same.jpg");
    EXPECT_EQ(again->Size(), 0);
}

TEST(SmartSave, NamesNeverLeaveTheirFolder)
{
    EXPECT_EQ(SafeFileName("pic.jpg"), "pic.jpg");
    EXPECT_EQ(SafeFileName("a\\..\\b.jpg"), "a_.._b.jpg");
    EXPECT_EQ(SafeFileName("../x"), ".._x");
    EXPECT_EQ(SafeFileName(std::string("a\nb\0c", 5)), "a_b_c");
    EXPECT_EQ(SafeFileName(""), "");
    EXPECT_EQ(SafeFileName("."), "");
    EXPECT_EQ(SafeFileName(".."), "");

    TempDir dir;
    fs::create_directories(dir.File("save"));
    const TSettings plain{dir.File("save"), false, false};
    for (const char* name : {"", ".", ".."})
        EXPECT_THROW(CreateTarget(plain, dir.File("save"), "", name), EStreamError) << name;
    CreateTarget(plain, dir.File("save"), "", "..\\evil.jpg")->Commit();
    EXPECT_TRUE(fs::exists(dir.File("save/.._evil.jpg")));

    // A phrase of dots saves into the save folder itself.
    const TSettings sub{dir.File("save"), true, true};
    EXPECT_EQ(SaveFolder(sub, ".."), dir.File("save/"));
    auto numbered = CreateTarget(sub, SaveFolder(sub, ".."), "..", "/x.jpg");
    EXPECT_EQ(fs::path(numbered->Target()).parent_path(), fs::path(dir.File("save")));

    std::error_code ec;
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path(), ec), fs::directory_iterator()), 1);
}

// Names on disk are UTF-8: a link's Windows-1252 bytes, and a stored save
// path that names no folder, are read as the letters they were.
TEST(SmartSave, NamesOnDiskAreUtf8)
{
    EXPECT_EQ(SafeFileName("caf\xE9.jpg"), "caf\xC3\xA9.jpg");
    EXPECT_EQ(SafeFileName("caf\xC3\xA9.jpg"), "caf\xC3\xA9.jpg");

    TempDir dir;
    TIniFile ini(dir.File("g.ini"));
    ini.WriteString("Options", "SavePath", dir.File("caf\xE9"));
    ini.WriteBool("Options", "SubDir", true);
    ini.WriteBool("Options", "NumberedList", true);
    const TSettings settings = ReadSettings(ini);
    EXPECT_EQ(settings.SavePath, dir.File("caf\xC3\xA9"));
    auto file = CreateTarget(settings, SaveFolder(settings, "\xD0\xA4"), "\xD0\xA4", "x.jpg");
    EXPECT_EQ(fs::path(file->Target()), fs::path(dir.File("caf\xC3\xA9/\xD0\xA4/\xD0\xA4_1.jpg")));

    // An earlier version stored the bytes of the folder the disk holds.
    fs::create_directories(dir.File("old\xE9"));
    ini.WriteString("Options", "SavePath", dir.File("old\xE9"));
    EXPECT_EQ(StoredPath(ini), dir.File("old\xE9"));
}

TEST(SmartSave, ScratchCopiesGoToTheScratchFolderMadeWithItsParents)
{
    TempDir dir;
    auto file = CreateScratchFile(dir.File("cache/glimmerscout/slideshow/"), "pic.jpg");
    EXPECT_EQ(Write(*file, "x"), dir.File("cache/glimmerscout/slideshow/pic.jpg"));
    EXPECT_THROW(CreateScratchFile(dir.File("slideshow/"), ".."), EStreamError);
}

TEST(SmartSave, SettingsAreReadWithTheirDefaults)
{
    TempDir dir;
    TIniFile ini(dir.File("g.ini"));
    const TSettings none = ReadSettings(ini);
    EXPECT_EQ(none.SavePath, "");
    EXPECT_FALSE(none.SubDir);
    EXPECT_FALSE(none.NumberedList);
    ini.WriteString("Options", "SavePath", "/p");
    ini.WriteBool("Options", "SubDir", true);
    ini.WriteBool("Options", "NumberedList", true);
    const TSettings set = ReadSettings(ini);
    EXPECT_EQ(set.SavePath, "/p");
    EXPECT_TRUE(set.SubDir);
    EXPECT_TRUE(set.NumberedList);
}

} // namespace
