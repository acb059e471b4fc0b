#include "CliSearchFixture.h"

#include "support/Loopback.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <map>
#include <optional>
#include <set>

namespace {

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

struct SwitchRow {
    std::optional<bool> check, recursive; // the options; unset: the settings file's
    bool storedCheck, storedRecursive;    // in the settings file
    bool listedCheck, listedRecursive;    // what the list must be made with
};

TEST_F(CliSearchTest, PrintsWhatTheWindowListsForTheSameSettings)
{
    const SwitchRow rows[] = {
        {true, true, false, false, true, true},
        {false, false, true, true, false, false},
        {std::nullopt, std::nullopt, true, false, true, false},
    };
    for (const SwitchRow& row : rows) {
        TIniFile(ini).WriteBool("Options", "CheckLinks", row.storedCheck);
        TIniFile(ini).WriteBool("Options", "RecursiveSearch", row.storedRecursive);
        out.str("");
        err.str("");
        TCliOptions o;
        o.CheckLinks = row.check;
        o.Recursive = row.recursive;
        Begin(o);
        ASSERT_TRUE(RunToEnd());
        SetTickCountOffset(0);
        EXPECT_EQ(Printed(), Expected(row.listedCheck, row.listedRecursive)) << row.listedCheck << row.listedRecursive;
        EXPECT_EQ(search->ExitStatus(), 0);
        // The health of the four services, none with a warning.
        const auto health = Lines(err.str());
        ASSERT_EQ(health.size(), 4u) << err.str();
        for (const std::string& line : health)
            EXPECT_EQ(line.find(" - "), std::string::npos) << line;
    }
}

TEST_F(CliSearchTest, JsonLinesParseAndCarryTheList)
{
    TCliOptions o;
    o.Json = true;
    o.CheckLinks = true;
    Begin(o);
    ASSERT_TRUE(RunToEnd());
    std::vector<sampleweb::ListedPicture> rows;
    for (const std::string& line : OutLines()) {
        QJsonParseError error{};
        const QJsonObject object = QJsonDocument::fromJson(QByteArray::fromStdString(line), &error).object();
        ASSERT_EQ(error.error, QJsonParseError::NoError) << line;
        const std::string url = object["url"].toString().toStdString();
        EXPECT_EQ(object["name"].toString().toStdString(), url.substr(url.rfind('/') + 1));
        const QJsonValue size = object["size"];
        rows.push_back({url, size.isNull() ? "UNKNOWN" : std::to_string(size.toInteger())});
    }
    std::sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) { return a.url < b.url; });
    EXPECT_EQ(rows, Expected(true, true));
}

TEST_F(CliSearchTest, AResultLimitOrATimeLimitEndsIt)
{
    struct Row {
        std::optional<int64_t> max;
        std::optional<double> seconds;
    };
    for (const Row& row : {Row{3, std::nullopt}, Row{std::nullopt, 0.5}}) {
        out.str("");
        TCliOptions o;
        o.CheckLinks = false;
        o.MaxResults = row.max;
        o.TimeLimit = row.seconds;
        Begin(o, 600000); // the work running out would take ten minutes to end it
        ASSERT_TRUE(WaitUntil([&] { return search->Finished(); }, std::chrono::seconds(20)));
        EXPECT_EQ(search->ExitStatus(), 0);
        if (row.max) {
            EXPECT_EQ(OutLines().size(), 3u);
        }
    }
}

TEST_F(CliSearchTest, NoServiceReachedExitsWithOne)
{
    uint16_t port = 0;
    const int closed = BoundLoopbackSocket(SOCK_STREAM, port); // bound, not listening: refused
    const std::string base = "http://127.0.0.1:" + std::to_string(port);
    TIniFile settings(ini);
    for (const char* key : {"HotBotBaseAddress", "LycosBaseAddress", "ScourNetBaseAddress"})
        settings.WriteString("Options", key, base);
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
        EXPECT_TRUE(s.Finished());
        EXPECT_EQ(s.ExitStatus(), 2);
    }
}

// Into the sub folder named after the phrase, under the pictures' own names;
// a name already there is kept and the picture takes the first numbered name.
TEST_F(CliSearchTest, SaveWritesTheExactBytesWithoutOverwriting)
{
    TIniFile(ini).WriteBool("Options", "SubDir", true);
    TIniFile(ini).WriteString("Options", "SavePath", dir.File("elsewhere"));
    const std::string folder = dir.File("saved");
    const auto expected = Expected(true, true);
    const std::string taken = expected.front().url.substr(expected.front().url.rfind('/') + 1);
    QDir().mkpath(QString::fromStdString(folder + "/red cars"));
    WriteFile(folder + "/red cars/" + taken, "mine");

    TCliOptions o;
    o.CheckLinks = true;
    o.SaveDir = folder;
    Begin(o);
    ASSERT_TRUE(RunToEnd());
    ASSERT_EQ(Printed(), expected);
    EXPECT_EQ(search->ExitStatus(), 0);
    EXPECT_FALSE(QDir(QString::fromStdString(dir.File("elsewhere"))).exists());

    const sampleweb::Catalogue catalogue(web.GetAddresses());
    std::multiset<std::string> wanted{"mine"};
    std::map<std::string, int> names; // how often each own name is found
    for (const auto& row : expected) {
        wanted.insert(catalogue.PictureBytes(row.url));
        ++names[row.url.substr(row.url.rfind('/') + 1)];
    }
    ++names[taken];
    std::multiset<std::string> written;
    int numbered = 0;
    for (const QString& name : QDir(QString::fromStdString(folder + "/red cars")).entryList(QDir::Files)) {
        written.insert(ReadFile(folder + "/red cars/" + name.toStdString()));
        if (name.startsWith("red cars_"))
            ++numbered;
        else
            EXPECT_TRUE(names.count(name.toStdString())) << name.toStdString();
    }
    EXPECT_EQ(ReadFile(folder + "/red cars/" + taken), "mine");
    EXPECT_TRUE(written == wanted);
    int repeats = 0;
    for (const auto& [name, count] : names)
        repeats += count - 1;
    EXPECT_EQ(numbered, repeats);
}

} // namespace
