#include "download/SavedHistory.h"
#include "support/TestSupport.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

TSavedEntry Entry(char fill, std::string url, std::string path)
{
    return {std::string(32, fill), 1000 + fill, std::move(url), std::move(path), 1700000000 + fill};
}

bool Same(const TSavedEntry& a, const TSavedEntry& b)
{
    return a.Digest == b.Digest && a.Size == b.Size && a.Url == b.Url && a.Path == b.Path && a.Time == b.Time;
}

// Names and addresses may hold any byte, the field and line ends included.
const std::vector<TSavedEntry> kEntries{
    Entry('\x01', "http://a.example/x.jpg", "/home/ann/Pictures/x.jpg"),
    Entry('\xFE', "http://b.example/%41\t.jpg", "/p/tab\there/new\nline/caf\xE9 100%.jpg"),
    Entry('%', "", "/p/%zz"),
};

TEST(SavedHistory, EntriesComeBackAsTheyWereAddedAndAreFoundByTheirBytes)
{
    TempDir dir;
    {
        TSavedHistory history(dir.File("data/saved.txt"));
        for (const TSavedEntry& e : kEntries)
            EXPECT_TRUE(history.Add(e));
        history.Add(Entry('\x01', "http://c.example/again.jpg", "/again.jpg"));
    }
    const TSavedHistory history(dir.File("data/saved.txt"));
    EXPECT_EQ(history.Damage(), "");
    ASSERT_EQ(history.Size(), 4u);
    for (size_t i = 0; i < kEntries.size(); ++i)
        EXPECT_TRUE(Same(history.Entry(i), kEntries[i])) << i;

    const auto found = history.Find(std::string(32, '\x01'), 1001);
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].Path, "/again.jpg") << "the latest first";
    EXPECT_TRUE(history.Find(std::string(32, '\x01'), 1002).empty()) << "the size counts too";
    EXPECT_TRUE(history.Find(std::string(32, '\x02'), 1001).empty());
}

// A crash may stop a write anywhere: every cut keeps the whole entries before
// it, tells of the damage unless it fell between two lines, and leaves a
// history that takes new entries.
TEST(SavedHistory, AHistoryCutAtEveryByteKeepsItsWholeEntries)
{
    TempDir dir;
    const std::string text = TSavedHistory::Text(kEntries);
    std::vector<size_t> lineEnds;
    for (size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\n')
            lineEnds.push_back(i + 1);
    for (size_t cut = 0; cut < text.size(); ++cut) {
        const std::string path = dir.File("saved" + std::to_string(cut) + ".txt");
        WriteFile(path, text.substr(0, cut));
        size_t whole = 0;
        while (whole + 1 < lineEnds.size() && lineEnds[whole + 1] <= cut)
            ++whole;
        const bool clean = cut == 0 || std::find(lineEnds.begin(), lineEnds.end(), cut) != lineEnds.end();
        {
            TSavedHistory history(path);
            ASSERT_EQ(history.Size(), whole) << cut;
            for (size_t i = 0; i < whole; ++i)
                EXPECT_TRUE(Same(history.Entry(i), kEntries[i])) << cut;
            EXPECT_EQ(history.Damage().empty(), clean) << cut;
            EXPECT_EQ(fs::exists(path + ".damaged"), !clean) << cut;
            if (!clean)
                EXPECT_EQ(ReadFile(path + ".damaged"), text.substr(0, cut)) << cut;
            EXPECT_TRUE(history.Add(kEntries[2])) << cut;
        }
        const TSavedHistory again(path);
        EXPECT_EQ(again.Damage(), "") << cut;
        EXPECT_EQ(again.Size(), whole + 1) << cut;
    }
}

TEST(SavedHistory, AChangedLineIsDroppedAndTheRestKept)
{
    TempDir dir;
    const std::string text = TSavedHistory::Text(kEntries);
    const size_t second = text.find("http://b.example");
    struct TCase {
        const char* name;
        std::string text;
        size_t kept;
    } const cases[] = {
        {"a changed byte", text.substr(0, second) + "c" + text.substr(second + 1), 2},
        {"a lost tab", text.substr(0, second - 1) + text.substr(second), 2},
        {"another first line", "glimmerscout saved pictures 2" + text.substr(text.find('\n')), 0},
    };
    for (const TCase& c : cases) {
        const std::string path = dir.File(std::string(c.name) + ".txt");
        WriteFile(path, c.text);
        const TSavedHistory history(path);
        EXPECT_NE(history.Damage(), "") << c.name;
        EXPECT_EQ(history.Size(), c.kept) << c.name;
        EXPECT_EQ(ReadFile(path + ".damaged"), c.text) << c.name;
    }
}

} // namespace
