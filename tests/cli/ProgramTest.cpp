#include "platform/IniFile.h"
#include "sampleweb/BaseAddressSettings.h"
#include "sampleweb/Catalogue.h"
#include "sampleweb/GeneratedWeb.h"
#include "sampleweb/SampleWeb.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <csignal>
#include <cstdlib>
#include <gtest/gtest.h>
#include <set>
#include <sstream>

namespace {

struct Ran {
    int status = -1;
    std::string out, err;
};

// The program itself, with no display of any kind in its environment.
void StartProgram(QProcess& p, const QStringList& args)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(name);
    p.setProcessEnvironment(env);
    p.start(QString(std::getenv("GS_BINARY_DIR")) + "/bin/glimmerscout", args);
}

Ran RunProgram(const QStringList& args)
{
    QProcess p;
    StartProgram(p, args);
    Ran ran;
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        return ran;
    }
    ran.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    ran.out = p.readAllStandardOutput().toStdString();
    ran.err = p.readAllStandardError().toStdString();
    return ran;
}

TEST(Program, HelpAndBadArgumentsAnswerWithoutSearching)
{
    struct Row {
        QStringList args;
        int status;
        bool usageOnStdout;
        std::string errPart;
    };
    const Row rows[] = {
        {{"--help"}, 0, true, ""},
        {{"--search"}, 2, false, "glimmerscout: --search needs a value"},
        {{"--search", "x", "--max-results", "many"}, 2, false, "--max-results needs a whole number"},
        {{"--no-check"}, 2, false, "--search PHRASE is required"},
        // The window takes no arguments, and without a display it cannot open.
        {{"-h"}, 2, false, "glimmerscout: unknown option -h"},
        {{"photo.jpg"}, 2, false, "glimmerscout: unexpected argument 'photo.jpg'"},
        {{}, 2, false, "glimmerscout: the window needs a display"},
    };
    for (const Row& row : rows) {
        const Ran ran = RunProgram(row.args);
        EXPECT_EQ(ran.status, row.status) << row.args.join(' ').toStdString();
        const std::string& usageStream = row.usageOnStdout ? ran.out : ran.err;
        EXPECT_NE(usageStream.find("Usage: glimmerscout --search PHRASE"), std::string::npos);
        EXPECT_NE(ran.err.find(row.errPart), std::string::npos) << ran.err;
        if (!row.usageOnStdout) {
            EXPECT_EQ(ran.out, "");
        }
    }
}

TEST(Program, SearchesWithoutADisplay)
{
    sampleweb::SampleWeb web;
    web.Start();
    TempDir dir;
    const std::string ini = dir.File("glimmerscout.ini");
    sampleweb::WriteBaseAddressSettings(ini, web.GetAddresses());
    const Ran ran = RunProgram({"--search", "red cars", "--settings", QString::fromStdString(ini), "--no-check",
                                "--max-results", "2"});
    EXPECT_EQ(ran.status, 0) << ran.err;
    EXPECT_EQ(ran.out.rfind("UNKNOWN\thttp://127.0.0.1:", 0), 0u) << ran.out;
    EXPECT_EQ(std::count(ran.out.begin(), ran.out.end(), '\n'), 2);
    // Not a terminal: the health lines alone, no progress.
    EXPECT_EQ(std::count(ran.err.begin(), ran.err.end(), '\n'), 4) << ran.err;
    EXPECT_EQ(ran.err.find('\r'), std::string::npos);
}

// A search that saves into a folder, stopped by a signal while the stalling
// host's picture downloads: every file left is a whole picture, and the run
// reports as it ends by itself.
// A download writes under a hidden name of its own until it is whole.
QStringList Unfinished(const std::string& folder)
{
    return QDir(QString::fromStdString(folder)).entryList({".*.part"}, QDir::Files | QDir::Hidden);
}

TEST(Program, ASignalEndsTheRunCleanly)
{
    sampleweb::SampleWeb web;
    web.Start();
    const sampleweb::Catalogue catalogue(web.GetAddresses());
    const std::string stalled = web.GetAddresses().Base(sampleweb::Host::Stall) + "/never.jpg";
    for (const auto& [signal, status] : {std::pair{SIGINT, 130}, std::pair{SIGTERM, 143}}) {
        TempDir dir;
        const std::string ini = dir.File("glimmerscout.ini");
        sampleweb::WriteBaseAddressSettings(ini, web.GetAddresses());
        const std::string saved = dir.File("saved");
        QProcess p;
        StartProgram(p, {"--search", "red cars", "--settings", QString::fromStdString(ini), "--no-check", "--save",
                         QString::fromStdString(saved)});
        std::string out;
        ASSERT_TRUE(WaitUntil(
            [&] {
                out += p.readAllStandardOutput().toStdString();
                return out.find(stalled) != std::string::npos && !Unfinished(saved).isEmpty();
            },
            std::chrono::seconds(30)))
            << out;
        ::kill(static_cast<pid_t>(p.processId()), signal);
        ASSERT_TRUE(p.waitForFinished(20000));
        EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(p.exitCode(), status);
        const std::string err = p.readAllStandardError().toStdString();
        EXPECT_NE(err.find("not saved: " + stalled + " ("), std::string::npos) << err;
        EXPECT_NE(err.find("\nLycos Images Direct: "), std::string::npos) << err;
        EXPECT_TRUE(Unfinished(saved).isEmpty());
        // What is left arrived whole (a page served under a picture's name is kept as it came).
        for (const QFileInfo& file : QDir(QString::fromStdString(saved)).entryInfoList(QDir::Files)) {
            const std::string name = file.fileName().toStdString();
            const auto at = out.find("/" + name + "\n");
            ASSERT_NE(at, std::string::npos) << name;
            const size_t start = out.rfind('\t', at) + 1;
            const std::string bytes = catalogue.PictureBytes(out.substr(start, at + 1 + name.size() - start));
            if (!bytes.empty()) {
                EXPECT_EQ(ReadFile(file.filePath().toStdString()), bytes) << name;
            }
        }
    }
}

// Standard output closed after the first line ("| head -n 1"): the run
// ends at its next line, with no message and no death by SIGPIPE.
TEST(Program, AClosedOutputEndsTheRunQuietly)
{
    sampleweb::GeneratedWebCounts counts;
    sampleweb::GeneratedWeb web(counts);
    web.Start();
    TempDir dir;
    const std::string ini = dir.File("glimmerscout.ini");
    for (const char* key : {"HotBotBaseAddress", "LycosBaseAddress", "ScourNetBaseAddress"})
        TIniFile(ini).WriteString("Options", key, web.Base());
    QProcess p, head;
    p.setStandardOutputProcess(&head);
    head.start("head", {"-n", "1"});
    // Hundreds of pages, a few at a time: lines keep coming long after the first.
    StartProgram(p, {"--search", "soak400", "--settings", QString::fromStdString(ini), "--no-check", "--no-recursive"});
    ASSERT_TRUE(head.waitForFinished(30000));
    EXPECT_EQ(head.readAllStandardOutput().count('\n'), 1);
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 141);
    const std::string err = p.readAllStandardError().toStdString();
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 4) << err; // the health lines alone
}

} // namespace

namespace {

// Both live sources from the command line: a phrase with a letter beyond
// ASCII, PNG chosen, Openverse refusing its second page. What is listed is
// saved byte for byte under readable names, and Openverse's line says when
// it may be asked again.
TEST(Program, SearchesTheLiveSourcesAsTheyBehave)
{
    sampleweb::SampleWeb web;
    web.Start();
    TempDir dir;
    const std::string ini = dir.File("glimmerscout.ini");
    const std::string saved = dir.File("saved");
    sampleweb::WriteBaseAddressSettings(ini, web.GetAddresses());
    TIniFile(ini).WriteString("Options", "OpenverseBaseAddress",
                              web.GetAddresses().Base(sampleweb::Host::Openverse) + "/throttled");
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "LANG", "LC_CTYPE"})
        env.remove(name);
    env.insert("LC_ALL", "C.UTF-8");
    p.setProcessEnvironment(env);
    p.start(QString(std::getenv("GS_BINARY_DIR")) + "/bin/glimmerscout",
            {"--search", "Zürich", "--sources", "commons,openverse", "--types", "png", "--no-check", "--save",
             QString::fromStdString(saved), "--settings", QString::fromStdString(ini)});
    ASSERT_TRUE(p.waitForFinished(60000));
    const std::string out = p.readAllStandardOutput().toStdString();
    const std::string err = p.readAllStandardError().toStdString();
    EXPECT_EQ(p.exitCode(), 0) << err;

    using sampleweb::Host;
    EXPECT_EQ(web.Searches(Host::Commons), std::set<std::string>{"Zürich filemime:image/jpeg OR filemime:image/png"});
    EXPECT_EQ(web.Searches(Host::Openverse), std::set<std::string>{"Zürich"});

    // Openverse's second page never came: its pictures are not listed.
    sampleweb::SearchSettings s;
    s.checkLinks = false;
    s.types = {"jpeg", "png"};
    const sampleweb::Catalogue catalogue(web.GetAddresses());
    std::vector<std::string> expected;
    for (const sampleweb::ListedPicture& row : catalogue.SourcesListing(s, 2))
        if (row.url.find("tram-27000") == std::string::npos && row.url.find("bus-33000") == std::string::npos)
            expected.push_back(row.size + "\t" + row.url);
    std::vector<std::string> printed;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);)
        printed.push_back(line);
    std::sort(printed.begin(), printed.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(printed, expected);

    const std::pair<const char*, const char*> readable[] = {
        {"Zürich_(Limmat),_tram.jpg", "{Commons}/files/a/ab/Z%C3%BCrich_%28Limmat%29%2C_tram.jpg"},
        {"東京の車.jpg", "{Commons}/files/4/45/%E6%9D%B1%E4%BA%AC%E3%81%AE%E8%BB%8A.jpg"},
        {"Vintage_car's_grille.jpeg", "{Commons}/files/3/34/Vintage_car%27s_grille.jpeg"},
        {"Car_diagram.png", "{Commons}/files/c/cd/Car_diagram.png"},
        {"København_sporvogn.png", "{Openverse}/files/K%C3%B8benhavn_sporvogn.png"},
    };
    for (const auto& [name, url] : readable) {
        QFile file(QString::fromStdString(saved + "/" + name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name;
        EXPECT_EQ(file.readAll().toStdString(), catalogue.PictureBytes(web.GetAddresses().Expand(url))) << name;
    }
    // Each picture with the credit its source gives beside it.
    const QDir folder(QString::fromStdString(saved));
    EXPECT_EQ(folder.entryList(QDir::Files).size() - folder.entryList({"*.xmp"}, QDir::Files).size(),
              static_cast<qsizetype>(expected.size()));
    EXPECT_TRUE(QFile::exists(QString::fromStdString(saved + "/" + readable[0].first + ".xmp")));
    EXPECT_NE(err.find("Wikimedia Commons: 2 pages"), std::string::npos) << err;
    EXPECT_NE(err.find(" - rate limited: try again in 58 min\n"), std::string::npos) << err;
    EXPECT_NE(err.find("Openverse: 2 pages"), std::string::npos) << err;
    EXPECT_EQ(err.find("HotBot"), std::string::npos) << err; // not asked, not told
}

} // namespace
