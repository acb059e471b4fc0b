#include "layers/Report.h"
#include "layers/TableDrift.h"
#include "support/TestSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>

namespace fs = std::filesystem;

namespace {

TEST(TableDrift, TheDocumentNamesWhatTheTreeBuilds)
{
    const char* source = std::getenv("GS_SOURCE_DIR");
    ASSERT_NE(source, nullptr);
    const std::string document = ReadFile(std::string(source) + "/docs/architecture.md");
    const TLayerTable table = ReadLayerTable(document, kLayerHeading);
    ASSERT_FALSE(table.Library.empty());
    const std::vector<std::string> drift = CheckTableAgainstTree(source, table, document);
    EXPECT_TRUE(drift.empty()) << "docs/architecture.md against the tree:" << Lines(drift);
}

struct TDriftCase {
    std::string Name;
    std::string Rows; // below the table's heading lines
    std::vector<std::pair<std::string, std::string>> Files;
    std::vector<std::string> Drift; // each in part
};

void PrintTo(const TDriftCase& c, std::ostream* out) { *out << c.Name; }

class DriftCheck : public ::testing::TestWithParam<TDriftCase> {};

TEST_P(DriftCheck, NamesWhatDiffers)
{
    TempDir top;
    const std::vector<std::pair<std::string, std::string>> base = {
        {"src/low/L.cpp", ""},
        {"src/low/CMakeLists.txt", "gs_library(gs_low LIBS Qt6::Core)\n"},
        {"src/low/main/main.cpp", ""},
        {"src/top/T.cpp", ""},
        {"src/top/CMakeLists.txt", "gs_library(gs_top)\nif(X)\n  add_executable(top main/main.cpp)\nendif()\n"},
        {"src/top/main/main.cpp", ""},
        {"tests/CMakeLists.txt", "gs_tests(low_tests LIBS gs_low)\n"}};
    for (const auto& files : {base, GetParam().Files})
        for (const auto& [path, text] : files) {
            fs::create_directories(fs::path(top.File(path)).parent_path());
            WriteFile(top.File(path), text);
        }
    const std::string document = kLayerHeading + "\n\n| Folder | Library | Uses |\n|---|---|---|\n" + GetParam().Rows +
                                 "\nTests: `low_tests`.\n";
    const std::vector<std::string> drift =
        CheckTableAgainstTree(top.Path(), ReadLayerTable(document, kLayerHeading), document);
    std::vector<testing::Matcher<std::string>> want;
    for (const std::string& part : GetParam().Drift)
        want.push_back(testing::HasSubstr(part));
    EXPECT_THAT(drift, testing::UnorderedElementsAreArray(want)) << Lines(drift);
}

const std::string kRows = "| `src/low` | `gs_low` | |\n| `src/top` | `gs_top` | `src/low` |\n"
                          "| `src/top/main` | `top` | `src/top` |\n";

INSTANTIATE_TEST_SUITE_P(
    Trees, DriftCheck,
    ::testing::Values(
        TDriftCase{"AsBuilt", kRows, {}, {}},
        TDriftCase{"RowWithoutSources", kRows + "| `src/gone` | `gs_gone` | |\n", {},
                   {"src/gone: a row, but no sources there"}},
        TDriftCase{"LibraryRenamed", kRows, {{"src/low/CMakeLists.txt", "gs_library(gs_base)\n"}},
                   {"src/low: its row's library is not built by src/low/CMakeLists.txt",
                    "src/low: builds gs_base, which no row names"}},
        TDriftCase{"ProgramOfAFolderBelow", kRows + "| `src/low/main` | `lowtool` | `src/low` |\n",
                   {{"src/low/CMakeLists.txt", "gs_library(gs_low)\nadd_executable(lowtool main/main.cpp)\n"}}, {}},
        TDriftCase{"ProgramWithoutARow", kRows,
                   {{"src/low/CMakeLists.txt", "gs_library(gs_low)\nadd_executable(lowtool main/main.cpp)\n"}},
                   {"src/low: builds lowtool, which no row names"}},
        TDriftCase{"TestExecutableNotNamed", kRows,
                   {{"tests/CMakeLists.txt", "gs_tests(low_tests LIBS gs_low)\ngs_tests(top_tests)\n"}},
                   {"tests/CMakeLists.txt: top_tests is not named in the document"}}),
    [](const ::testing::TestParamInfo<TDriftCase>& info) { return info.param.Name; });

}
