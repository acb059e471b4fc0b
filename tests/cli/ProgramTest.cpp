#include "sampleweb/BaseAddressSettings.h"
#include "sampleweb/SampleWeb.h"
#include "support/TestSupport.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

struct Ran {
    int status = -1;
    std::string out, err;
};

// The program itself, with no display of any kind in its environment.
Ran RunProgram(const QStringList& args)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(name);
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(QString(std::getenv("GS_BINARY_DIR")) + "/bin/glimmerscout", args);
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

} // namespace
