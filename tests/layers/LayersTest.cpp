#include "layers/IncludeScan.h"
#include "layers/LayerTable.h"
#include "layers/Report.h"
#include "support/TestSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

TEST(Layers, NoFileIncludesFromALayerAbove)
{
    const char* source = std::getenv("GS_SOURCE_DIR");
    ASSERT_NE(source, nullptr);
    const fs::path top(source);
    const TLayerTable table = ReadLayerTable(ReadFile((top / "docs/architecture.md").string()), kLayerHeading);
    EXPECT_TRUE(table.Errors.empty()) << "the layer table of docs/architecture.md:" << Lines(table.Errors);
    ASSERT_TRUE(table.Uses.contains("src/platform")) << "no layer table under \"" << kLayerHeading << "\"";

    const TIncludeScan scan = CheckIncludes(top, table, {"src", "advert", "sampleweb"});
    EXPECT_GT(scan.IncludesOfTheTree, scan.FilesRead); // the includes were found at all
    EXPECT_TRUE(scan.Breaks.empty()) << "against the layer table of docs/architecture.md:" << Lines(scan.Breaks);
}

const std::string kTable = kLayerHeading + "\n\n"
                           "| Folder | Library | Uses |\n"
                           "|---|---|---|\n"
                           "| `src/low` | `gs_low` | |\n"
                           "| `src/mid` | `gs_mid` | `src/low` |\n"
                           "| `src/top` | `gs_top` | `src/mid` |\n"
                           "| `src/top/main` | `top` | `src/top` |\n"
                           "\nText after the table.\n| `src/other` | | |\n";

struct TCase {
    std::string Name;
    std::vector<std::pair<std::string, std::string>> Files; // beside src/low/L.h, src/mid/M.h, src/top/T.h
    std::vector<std::string> Breaks;                         // what each break says, in part
};

void PrintTo(const TCase& c, std::ostream* out)
{
    *out << c.Name;
}

class LayerCheck : public ::testing::TestWithParam<TCase> {};

TEST_P(LayerCheck, NamesTheFileAndTheInclude)
{
    TempDir top;
    for (const char* header : {"src/low/L.h", "src/mid/M.h", "src/top/T.h", "tests/Helper.h"}) {
        fs::create_directories(fs::path(top.File(header)).parent_path());
        WriteFile(top.File(header), "#pragma once\n");
    }
    for (const auto& [path, text] : GetParam().Files) {
        fs::create_directories(fs::path(top.File(path)).parent_path());
        WriteFile(top.File(path), text);
    }
    const TIncludeScan scan = CheckIncludes(top.Path(), ReadLayerTable(kTable, kLayerHeading), {"src"});
    std::vector<testing::Matcher<std::string>> want;
    for (const std::string& part : GetParam().Breaks)
        want.push_back(testing::HasSubstr(part));
    EXPECT_THAT(scan.Breaks, testing::UnorderedElementsAreArray(want)) << Lines(scan.Breaks);
}

INSTANTIATE_TEST_SUITE_P(
    Trees, LayerCheck,
    ::testing::Values(
        TCase{"Downward", {{"src/top/T.cpp", "#include \"mid/M.h\"\n#include \"low/L.h\"\n#include <vector>\n"}}, {}},
        TCase{"BesideItself", {{"src/low/L.cpp", "#include \"L.h\"\n"}}, {}},
        TCase{"ProgramFolderUsesItsLibrary", {{"src/top/main/main.cpp", "#include \"low/L.h\"\n"}}, {}},
        TCase{"Upward",
              {{"src/mid/M.cpp", "// M\n  #  include \"top/T.h\"\n#include \"low/L.h\"\n"}},
              {"src/mid/M.cpp:2: #include \"top/T.h\" is src/top/T.h, of src/top; "
               "src/mid may include only from src/low, src/mid"}},
        TCase{"UpwardInAngles", {{"src/low/L.cpp", "#include <mid/M.h>\n"}}, {"src/low/L.cpp:1: #include <mid/M.h>"}},
        TCase{"IntoTheProgram", {{"src/top/T.cpp", "#include \"top/main/Main.h\"\n"}, {"src/top/main/Main.h", ""}},
              {"src/top/T.cpp:1: #include \"top/main/Main.h\" is src/top/main/Main.h, of src/top/main"}},
        TCase{"OutOfTheTable", {{"src/low/L.cpp", "#include \"tests/Helper.h\"\n"}},
              {"src/low/L.cpp:1: #include \"tests/Helper.h\" is tests/Helper.h, in no folder of the layer table"}},
        TCase{"FileInNoRow", {{"src/other/O.cpp", ""}}, {"src/other/O.cpp: in no folder of the layer table"}},
        TCase{"LibraryWithoutARow", {{"src/low/certs/CMakeLists.txt", "gs_library(gs_certs LIBS gs_low)\n"}},
              {"src/low/certs: builds a library or program of its own, but has no row"}}),
    [](const ::testing::TestParamInfo<TCase>& info) { return info.param.Name; });

TEST(LayerTable, ReachesThroughTheRowsItUsesAndFlagsUnknownOnes)
{
    const TLayerTable table = ReadLayerTable(kTable + "", kLayerHeading);
    EXPECT_TRUE(table.Errors.empty());
    EXPECT_EQ(table.Uses.size(), 4u); // the row after the table's end is not one
    EXPECT_EQ(table.Reach("src/top/main"), (std::set<std::string>{"src/low", "src/mid", "src/top", "src/top/main"}));
    EXPECT_EQ(table.FolderOf("src/top/main/x/y.cpp"), "src/top/main");
    EXPECT_EQ(table.FolderOf("src/topper/y.cpp"), "");

    const TLayerTable broken = ReadLayerTable(kLayerHeading + "\n| F | L | U |\n|-|-|-|\n| `a` | | `b` |\n| `a` | | |\n"
                                                         "| no folder | | |\n",
                                              kLayerHeading);
    EXPECT_THAT(broken.Errors, testing::UnorderedElementsAre("a uses b, which has no row", "a second row for a",
                                                             testing::HasSubstr("a row names no one folder")));
}

}
