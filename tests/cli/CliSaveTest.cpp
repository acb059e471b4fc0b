#include "cli/CliSave.h"

#include "platform/IniFile.h"
#include "platform/TickCount.h"
#include "sampleweb/StallServer.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <gtest/gtest.h>
#include <sstream>

namespace {

bool Exists(const std::string& path) { return QFileInfo::exists(QString::fromStdString(path)); }

// Downloads write under hidden names of their own until they are whole.
qsizetype Unfinished(const TempDir& dir)
{
    return QDir(QString::fromStdString(dir.Path())).entryList({".*.part"}, QDir::Files | QDir::Hidden).size();
}

// Pictures on a host that never answers: two run at once, the third waits
// for a place; each is cut at its time-out and leaves no file.
TEST(CliSave, RunsUpToTheLimitAndCutsWhatOutlivesTheTimeOut)
{
    sampleweb::StallServer stall;
    const std::string base = "http://127.0.0.1:" + std::to_string(stall.Start()) + "/";
    TempDir dir;
    const TIniFile settings(dir.File("glimmerscout.ini"));
    std::ostringstream err;
    TCliSave save(settings, dir.Path(), 2, err);
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg"})
        save.Save(base + name, "x");
    EXPECT_EQ(save.Running(), 2u);
    EXPECT_EQ(save.Waiting(), 1u);
    EXPECT_EQ(Unfinished(dir), 2);

    // The clock stays ahead: a download started after a jump is due only after the next.
    const auto expire = [&] {
        SetTickCountOffset(TickCountOffset() + TCliSave::Timeout + 1000);
        save.Tick();
    };
    save.Tick(); // none is due yet
    EXPECT_EQ(save.Failed(), 0);
    expire();
    EXPECT_EQ(save.Failed(), 2) << err.str();
    EXPECT_EQ(save.Running(), 1u);
    EXPECT_EQ(Unfinished(dir), 1);
    expire();
    EXPECT_FALSE(save.Busy());
    SetTickCountOffset(0);
    EXPECT_EQ(Unfinished(dir), 0);
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg"})
        EXPECT_FALSE(Exists(dir.File(name))) << name;
    EXPECT_EQ(save.Saved(), 0);
    const std::string text = err.str();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3) << text;
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg"})
        EXPECT_NE(text.find("not saved: " + base + name + " (no answer within 30 s)\n"), std::string::npos);
}

} // namespace
