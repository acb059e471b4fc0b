#include "platform/IniFile.h"
#include "support/TestSupport.h"

#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/fsuid.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// Takes from this process the right to add files to a folder, for the
// scope; from root too, whose file rights go with its file-system user.
class NoNewFilesIn {
public:
    explicit NoNewFilesIn(std::string folder) : FFolder(std::move(folder))
    {
        chmod(FFolder.c_str(), 0555);
        if (geteuid() == 0)
            setfsuid(65534);
    }
    ~NoNewFilesIn()
    {
        if (geteuid() == 0)
            setfsuid(0);
        chmod(FFolder.c_str(), 0755);
    }

private:
    std::string FFolder;
};

TEST(IniFile, MissingFileReadsDefaultsAndFirstWriteCreatesIt)
{
    TempDir dir;
    TIniFile ini(dir.File("gs.ini"));
    EXPECT_EQ(ini.ReadInteger("Options", "Wait", 10), 10);
    EXPECT_TRUE(ini.ReadBool("Options", "SlowConnection", true));
    EXPECT_EQ(ini.ReadString("Options", "SavePath", ""), "");
    ini.WriteBool("Options", "SubDir", true);
    EXPECT_EQ(ReadFile(dir.File("gs.ini")), "[Options]\nSubDir=1\n");
}

TEST(IniFile, NamesMatchIgnoringCase)
{
    TempDir dir;
    TIniFile ini(dir.File("gs.ini"));
    ini.WriteBool("Options", "SmallerThanbool", false);
    EXPECT_FALSE(ini.ReadBool("OPTIONS", "SmallerThanBool", true));
    ini.WriteBool("options", "SMALLERTHANBOOL", true);
    EXPECT_TRUE(ini.ReadBool("Options", "SmallerThanBool", false));
    EXPECT_EQ(ReadFile(dir.File("gs.ini")), "[Options]\nSMALLERTHANBOOL=1\n");
}

// A name given twice: the first section of it counts, and in it the first key.
TEST(IniFile, ReadsTheFirstSectionAndTheFirstKeyOfAName)
{
    TempDir dir;
    const std::string path = dir.File("gs.ini");
    WriteFile(path, "Wait=1\n[Other]\nWait=2\n[Options]\n; Wait=3\n  Wait = \"4\" \nWAIT=5\n[\xC4rger]\n\xC4=6\n"
                    "[options]\nWait=7\nSpeed=8\n");
    TIniFile ini(path);
    EXPECT_EQ(ini.ReadInteger("Options", "Wait", 0), 4);
    EXPECT_EQ(ini.ReadInteger("Options", "Speed", 0), 0);
    EXPECT_EQ(ini.ReadInteger("\xE4rger", "\xE4", 0), 6);
    EXPECT_EQ(ini.ReadString("Options", " Wait", "none"), "none");
}

TEST(IniFile, NumbersDecimalHexAndMalformed)
{
    TempDir dir;
    WriteFile(dir.File("gs.ini"),
              "[Options]\nWidth=0x280\nHeight=0X1e0\nLeftPos=12abc\nTopPos=-7\nWait=\nBig=4294967296\n"
              "Neg=-2147483648\nHexAll=0xFFFFFFFF\nSpaced = 42 \nQuoted=\"x y\"\n");
    TIniFile ini(dir.File("gs.ini"));
    EXPECT_EQ(ini.ReadInteger("Options", "Width", 1), 640);
    EXPECT_EQ(ini.ReadInteger("Options", "Height", 1), 480);
    EXPECT_EQ(ini.ReadInteger("Options", "LeftPos", 1), 1);
    EXPECT_EQ(ini.ReadInteger("Options", "TopPos", 1), -7);
    EXPECT_EQ(ini.ReadInteger("Options", "Wait", 10), 10);
    EXPECT_EQ(ini.ReadInteger("Options", "Big", 5), 5);
    EXPECT_EQ(ini.ReadInteger("Options", "Neg", 5), -2147483647 - 1);
    EXPECT_EQ(ini.ReadInteger("Options", "HexAll", 5), -1);
    EXPECT_EQ(ini.ReadInteger("Options", "Spaced", 5), 42);
    EXPECT_EQ(ini.ReadString("Options", "Quoted", ""), "x y");
    EXPECT_TRUE(ini.ReadBool("Options", "Width", false));
}

TEST(IniFile, WritesKeepOtherLinesAndSections)
{
    TempDir dir;
    const std::string before = "; my settings\r\n[Other]\r\nWait=99\r\n\r\n[Options]\r\nWait=5\r\n"
                               "; keep me\r\nCheckLinks=1\r\n\r\n[Tail]\r\nx=y\r\n";
    WriteFile(dir.File("gs.ini"), before);
    TIniFile ini(dir.File("gs.ini"));
    ini.WriteInteger("Options", "Wait", 3);
    ini.WriteString("Options", "SavePath", "/home/u/pics");
    ini.WriteInteger("New", "A", 1);
    EXPECT_EQ(ReadFile(dir.File("gs.ini")),
              "; my settings\r\n[Other]\r\nWait=99\r\n\r\n[Options]\r\nWait=3\r\n"
              "; keep me\r\nCheckLinks=1\r\nSavePath=/home/u/pics\r\n\r\n[Tail]\r\nx=y\r\n\r\n[New]\r\nA=1\r\n");
    EXPECT_EQ(ini.ReadInteger("Other", "Wait", 0), 99);
}

TEST(IniFile, StringsAreCutAt2047Characters)
{
    TempDir dir;
    TIniFile ini(dir.File("gs.ini"));
    ini.WriteString("Options", "SavePath", std::string(3000, 'a'));
    EXPECT_EQ(ini.ReadString("Options", "SavePath", "").size(), 2047u);
}

// Reads reuse the parsed file while it is unchanged; a change by anyone
// else is still seen at the next read, even one that keeps the size and
// comes within the same tick of the file's clock.
TEST(IniFile, ChangesByOthersAreSeenAtTheNextRead)
{
    TempDir dir;
    const std::string path = dir.File("gs.ini");
    TIniFile ini(path);
    WriteFile(path, "[Options]\nWait=5\n");
    EXPECT_EQ(ini.ReadInteger("Options", "Wait", 0), 5);
    WriteFile(path, "[Options]\nWait=6\n");
    EXPECT_EQ(ini.ReadInteger("Options", "Wait", 0), 6);

    const timespec longAgo[2] = {{1000000000, 0}, {1000000000, 0}};
    utimensat(AT_FDCWD, path.c_str(), longAgo, 0);
    EXPECT_EQ(ini.ReadInteger("Options", "Wait", 0), 6);
    WriteFile(path, "[Options]\nWait=7\n");
    utimensat(AT_FDCWD, path.c_str(), longAgo, 0);
    EXPECT_EQ(ini.ReadString("Options", "Wait", ""), "7");

    fs::remove(path);
    EXPECT_EQ(ini.ReadInteger("Options", "Wait", 0), 0);
}

TEST(IniFile, RefusedWriteSaysWhereAndKeepsTheFile)
{
    TempDir dir;
    const std::string missingDir = dir.File("no/such/dir/gs.ini");
    TIniFile ini(missingDir);
    try {
        ini.WriteBool("Options", "SubDir", true);
        FAIL() << "no exception";
    } catch (const EIniFileException& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + missingDir);
    }

    TIniFile folder(dir.Path()); // a folder is no file
    EXPECT_THROW(folder.WriteBool("Options", "SubDir", true), EIniFileException);

    WriteFile(dir.File("gs.ini"), "[Options]\nWait=5\n");
    TIniFile ini2(dir.File("gs.ini"));
    EXPECT_THROW(ini2.WriteString("Options", "SavePath", "a\nb"), EIniFileException);
    EXPECT_EQ(ReadFile(dir.File("gs.ini")), "[Options]\nWait=5\n");
}

TEST(IniFile, WritesThroughALinkAndInPlaceWhereTheFolderTakesNoNewFile)
{
    TempDir dir;
    chmod(dir.Path().c_str(), 0755);
    fs::create_directories(dir.File("program"));
    fs::create_directories(dir.File("home"));
    WriteFile(dir.File("home/gs.ini"), "[Options]\nWait=5\n");
    fs::create_symlink("../home/gs.ini", dir.File("program/gs.ini"));
    TIniFile linked(dir.File("program/gs.ini"));
    linked.WriteInteger("Options", "Wait", 7);
    EXPECT_TRUE(fs::is_symlink(dir.File("program/gs.ini")));
    EXPECT_EQ(ReadFile(dir.File("home/gs.ini")), "[Options]\nWait=7\n");

    chmod(dir.File("home/gs.ini").c_str(), 0666);
    {
        NoNewFilesIn readOnly(dir.File("home"));
        TIniFile ini(dir.File("home/gs.ini"));
        ini.WriteString("Options", "SavePath", "/pics");
        TIniFile absent(dir.File("home/new.ini"));
        EXPECT_THROW(absent.WriteBool("Options", "SubDir", true), EIniFileException);
    }
    EXPECT_EQ(ReadFile(dir.File("home/gs.ini")), "[Options]\nWait=7\nSavePath=/pics\n");
    EXPECT_EQ(fs::directory_iterator(dir.File("home"))->path().filename(), "gs.ini"); // no temporary left
}

} // namespace
