#include "CliSearchFixture.h"

#include "support/Loopback.h"

#include <QDir>
#include <QFileInfo>
#include <optional>
#include <set>

namespace {

TEST_F(CliSearchTest, PrintsWhatTheWindowListsForTheSameSettings)
{
    const struct {
        std::optional<bool> check, recursive; // the options; unset: the settings file's
        bool storedCheck, storedRecursive;    // in the settings file
        bool json;
        bool listedCheck, listedRecursive; // what the window lists with
    } rows[] = {
        {true, true, false, false, false, true, true},
        {false, false, true, true, false, false, false},
        {std::nullopt, std::nullopt, true, false, false, true, false},
        {std::nullopt, std::nullopt, true, true, true, true, true},
    };
    for (const auto& row : rows) {
        TIniFile(ini).WriteBool("Options", "CheckLinks", row.storedCheck);
        TIniFile(ini).WriteBool("Options", "RecursiveSearch", row.storedRecursive);
        TCliOptions o;
        o.CheckLinks = row.check;
        o.Recursive = row.recursive;
        o.Json = row.json;
        Begin(o);
        ASSERT_TRUE(RunToEnd());
        EXPECT_EQ(Printed(), Expected(row.listedCheck, row.listedRecursive)) << row.listedCheck << row.listedRecursive;
        EXPECT_EQ(search->ExitStatus(), 0);
        // A line for each of the four services, none with a warning.
        const auto health = Lines(err.str());
        EXPECT_EQ(health.size(), 4u) << err.str();
        EXPECT_EQ(err.str().find(" - "), std::string::npos) << err.str();
    }
}

TEST_F(CliSearchTest, AResultLimitOrATimeLimitEndsIt)
{
    // With checks, the check of the stalling host keeps the search from ending
    // by itself for thirty seconds.
    const struct {
        std::optional<int64_t> max;
        std::optional<double> seconds;
        bool check;
    } rows[] = {{3, std::nullopt, false}, {std::nullopt, 0.5, true}};
    for (const auto& row : rows) {
        TCliOptions o;
        o.CheckLinks = row.check;
        o.MaxResults = row.max;
        o.TimeLimit = row.seconds;
        Begin(o);
        ASSERT_TRUE(WaitUntil([&] { return search->Finished(); }, std::chrono::seconds(20)));
        EXPECT_EQ(search->ExitStatus(), 0);
        EXPECT_TRUE(!row.max || Lines(out.str()).size() == 3u) << out.str();
    }
}

TEST_F(CliSearchTest, NoServiceReachedExitsWithOne)
{
    uint16_t port = 0;
    const int closed = BoundLoopbackSocket(SOCK_STREAM, port); // bound, not listening: refused
    for (const char* key : {"HotBotBaseAddress", "LycosBaseAddress", "ScourNetBaseAddress"})
        TIniFile(ini).WriteString("Options", key, "http://127.0.0.1:" + std::to_string(port));
    Begin({});
    ASSERT_TRUE(WaitUntil([&] { return search->Finished(); }, std::chrono::seconds(20)));
    ::close(closed);
    EXPECT_EQ(search->ExitStatus(), 1);
    EXPECT_EQ(out.str(), "");
    const auto health = Lines(err.str());
    ASSERT_EQ(health.size(), 4u) << err.str();
    for (const std::string& line : health)
        EXPECT_NE(line.find(" - "), std::string::npos) << line;
}

// A finished request cannot add work: once nothing waits or runs, it ends
// (a wait for more work took thirty seconds).
TEST_F(CliSearchTest, EndsAsSoonAsNothingWaitsOrRuns)
{
    TCliOptions o;
    o.CheckLinks = false; // nothing stalls
    Begin(o);
    ASSERT_TRUE(WaitUntil([&] { return search->Finished(); }, std::chrono::seconds(15)));
    EXPECT_EQ(Printed(), Expected(false, true));
    EXPECT_EQ(search->ExitStatus(), 0);
}

// The stalling host's picture never arrives: the limit cuts it and the
// downloads still waiting; none leaves a file, and the status tells.
TEST_F(CliSearchTest, TheTimeLimitCutsTheDownloadsToo)
{
    TCliOptions o;
    o.CheckLinks = false;
    o.SaveDir = dir.File("saved");
    o.TimeLimit = 3;
    Begin(o);
    ASSERT_TRUE(WaitUntil([&] { return search->Finished(); }, std::chrono::seconds(20)));
    const std::string stalled = web.GetAddresses().Base(sampleweb::Host::Stall) + "/never.jpg";
    ASSERT_NE(out.str().find(stalled), std::string::npos) << "found too late to be saved";
    EXPECT_NE(err.str().find("not saved: " + stalled + " ("), std::string::npos) << err.str();
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(dir.File("saved/never.jpg"))));
    EXPECT_EQ(search->ExitStatus(), 3);
}

// A search of one page reports that page as a search of the services
// reports each service: one line, with the failure, and the status.
TEST_F(CliSearchTest, TheStartPageHasAHealthLine)
{
    uint16_t port = 0;
    const int closed = BoundLoopbackSocket(SOCK_STREAM, port); // bound, not listening: refused
    const std::string site = web.GetAddresses().Base(sampleweb::Host::SiteA);
    const struct {
        std::string page;
        int status;
        std::string line; // its start; "-" ends the figures before a warning
    } rows[] = {
        {"http://127.0.0.1:" + std::to_string(port) + "/gallery.html", 1,
         "Start page: 0 pages, 0 links - Connection refused"},
        {site + "/no-such-page.html", 1, "Start page: 1 page, 0 links - answered 404"},
        {site + "/gallery/index.html", 0, "Start page: 1 page, "},
    };
    for (const auto& row : rows) {
        TCliOptions o;
        o.Phrase = row.page;
        Begin(o);
        ASSERT_TRUE(RunToEnd());
        EXPECT_EQ(search->ExitStatus(), row.status) << row.page;
        const auto health = Lines(err.str());
        ASSERT_EQ(health.size(), 1u) << err.str();
        EXPECT_EQ(health[0].substr(0, row.line.size()), row.line);
        EXPECT_EQ(health[0].find(" - ") == std::string::npos, row.status == 0) << health[0];
    }
    ::close(closed);
}

TEST_F(CliSearchTest, UnusableSettingsOrFolderExitWithTwo)
{
    for (const auto& [settings, save] : {std::pair{dir.File("none.ini"), std::string()},
                                         std::pair{ini, dir.File("missing/parent")}}) {
        TCliOptions o;
        o.Phrase = "red cars";
        o.SettingsFile = settings;
        o.SaveDir = save;
        TCliSearch s(o, out, err, false);
        EXPECT_FALSE(s.Start());
        EXPECT_EQ(s.ExitStatus(), 2);
    }
}

// Into the sub folder named after the phrase, under the pictures' own names;
// a name already there is kept and the picture takes the first free numbered name.
TEST_F(CliSearchTest, SaveWritesTheExactBytesWithoutOverwriting)
{
    TIniFile(ini).WriteBool("Options", "SubDir", true);
    TIniFile(ini).WriteString("Options", "SavePath", dir.File("elsewhere"));
    const std::string folder = dir.File("saved/red cars/");
    const auto expected = Expected(true, true);
    std::multiset<std::string> wanted{"mine"}, written;
    std::set<std::string> names; // the pictures' own
    for (const auto& row : expected) {
        wanted.insert(sampleweb::Catalogue(web.GetAddresses()).PictureBytes(row.url));
        names.insert(row.url.substr(row.url.rfind('/') + 1));
    }
    const std::string taken = *names.begin();
    QDir().mkpath(QString::fromStdString(folder));
    WriteFile(folder + taken, "mine");

    TCliOptions o;
    o.CheckLinks = true;
    o.SaveDir = dir.File("saved");
    Begin(o);
    ASSERT_TRUE(RunToEnd());
    ASSERT_EQ(Printed(), expected);
    EXPECT_EQ(search->ExitStatus(), 0);
    EXPECT_FALSE(QDir(QString::fromStdString(dir.File("elsewhere"))).exists());
    EXPECT_EQ(ReadFile(folder + taken), "mine");
    EXPECT_NE(ReadFile(folder + "red cars_1.jpg"), "");
    for (const QString& name : QDir(QString::fromStdString(folder)).entryList(QDir::Files)) {
        EXPECT_TRUE(names.count(name.toStdString()) || name.startsWith("red cars_")) << name.toStdString();
        written.insert(ReadFile(folder + name.toStdString()));
    }
    EXPECT_TRUE(written == wanted);
}

// Searched again, with saving once asked for, nothing is saved twice, in
// another folder either; each picture says where it lies.
TEST_F(CliSearchTest, APictureSavedOnceIsNotSavedWhenSearchedAgain)
{
    TCliOptions o;
    o.CheckLinks = true;
    o.SaveOnce = true;
    o.SaveDir = dir.File("saved");
    Begin(o);
    ASSERT_TRUE(RunToEnd());
    const size_t found = Printed().size();
    ASSERT_FALSE(QDir(QString::fromStdString(dir.File("saved"))).entryList(QDir::Files).isEmpty());

    o.SaveDir = dir.File("again");
    Begin(o);
    ASSERT_TRUE(RunToEnd());
    EXPECT_EQ(search->ExitStatus(), 0);
    EXPECT_EQ(Printed().size(), found);
    EXPECT_TRUE(QDir(QString::fromStdString(dir.File("again"))).entryList(QDir::Files).isEmpty());
    const size_t told = std::ranges::count_if(Lines(err.str()), [&](const std::string& line) {
        return line.starts_with("already saved as " + dir.File("saved/"));
    });
    EXPECT_EQ(told, found) << err.str();
}

// --unique prints at the end, one picture of each group, each JSON line with
// its group; the stalling host's thumbnails are given up at their time-out.
TEST_F(CliSearchTest, UniquePrintsOnePictureOfEachGroup)
{
    TCliOptions o;
    o.CheckLinks = false;
    o.Json = true;
    o.Unique = true;
    Begin(o);
    // What stalls ends only by a time-out: the clock jumps past it.
    for (int jump = 0; jump < 3 && !WaitUntil([&] { return search->Finished(); }, std::chrono::seconds(5)); ++jump)
        SetTickCountOffset(TickCountOffset() + TCliUnique::Timeout + 1000);
    SetTickCountOffset(0);
    ASSERT_TRUE(search->Finished());
    EXPECT_EQ(search->ExitStatus(), 0);
    std::set<int> groups;
    const auto expected = Expected(false, true);
    for (const std::string& line : Lines(out.str())) {
        const QJsonObject o = QJsonDocument::fromJson(QByteArray::fromStdString(line)).object();
        ASSERT_TRUE(o["group"].isDouble()) << line;
        EXPECT_TRUE(groups.insert(o["group"].toInt()).second) << line;
    }
    EXPECT_GT(groups.size(), 0u);
    EXPECT_LE(groups.size(), expected.size());
}

} // namespace
