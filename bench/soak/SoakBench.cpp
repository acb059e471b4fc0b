// A long search and a search of pages without end, on the real main window
// against the generated web, which runs in a child process so that the
// memory and CPU time measured here are the program's alone:
// (a) soak: one recursive search of the fast profile that reads 10,000 pages
//     and checks 20,000 pictures, with the timers shortened to 1 ms; resident
//     memory every 1,000 pages (goal: at most 10% above its level at 1,000),
//     the work lists at the end (goal: all empty), and CPU seconds per page
//     beside "wget -i" fetching the same pages (goal: at most wget's), and
//     beside wget making every request the program makes (pages and checks);
//     with the times the program slept a request and what one wake-up from
//     a 1 ms sleep costs here;
// (b) 20 pages that never end, fetched at once in the fast profile (timers
//     shortened alike, so that all 20 start before the first is cut): peak
//     resident memory (goal: under 300 MB), once with lines of text and once
//     with empty lines only;
// (c) the soak of (a) in the broadband profile, at its own pace (no timer
//     shortened): resident memory every 1,000 pages (goal: at most 10% above
//     its level at 1,000) and the work lists at the end.
// Usage: bench_soak [pages [soak|endless|broadband]]   (default: 10000 pages, every part)
#include "ToolRun.h"
#include "WebProcess.h"

#include "app/Form1.h"
#include "app/Form2.h"
#include "controls/AdImage.h"
#include "platform/IniFile.h"
#include "search/EngineProbe.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <poll.h>
#include <thread>

namespace {

constexpr int PicturesPerPage = 2;

long StatusKb(const std::string& field)
{
    std::ifstream in("/proc/self/status");
    for (std::string line; std::getline(in, line);)
        if (line.starts_with(field + ":"))
            return std::atol(line.c_str() + field.size() + 1);
    return -1;
}

void ResetPeak()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

// Waits in the event loop without spinning: the condition is asked every 20 ms.
bool RunUntil(const std::function<bool()>& done, std::chrono::seconds limit)
{
    if (done())
        return true;
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (done())
            loop.quit();
    });
    poll.start(20);
    QTimer::singleShot(std::chrono::milliseconds(limit), &loop, &QEventLoop::quit);
    loop.exec();
    return done();
}

// The program's windows on settings of their own: the generated web as
// HotBot, the fast profile or the broadband one.
struct Program {
    explicit Program(const std::string& base, bool broadband = false) : broadband(broadband)
    {
        TIniFile settings(ini);
        settings.WriteString("Options", "HotBotBaseAddress", base);
        settings.WriteBool("Options", "SlowConnection", false);
        if (broadband)
            settings.WriteBool("Options", "Broadband", true);
        Form1 = &form;
        Form2 = &form2;
    }
    ~Program()
    {
        form.AbortButtonClick();
        Form1 = nullptr;
        Form2 = nullptr;
    }

    // With the timers at 1 ms: the designed ticks would stretch the run to
    // hours. The broadband profile keeps its own pace.
    void Search(const std::string& phrase)
    {
        for (QTimer* t : TEngineProbe(form.Engine).Timers().All())
            if (!broadband)
                t->setInterval(1);
        form.HotBotBox->setChecked(true);
        for (QCheckBox* other : {form.LycosBox, form.ScourNetBox, form.LycosImagesBox})
            other->setChecked(false);
        form.CheckBox_CheckLinks->setChecked(true);
        form.CheckBox_RecursiveSearch->setChecked(true);
        form.PhraseEdit->setText(QString::fromStdString(phrase));
        form.SearchButtonClick();
    }

    bool AllReaped() const
    {
        const TWorkCounts work = form.Engine.Work();
        return work.PagesQueued == 0 && work.ChecksQueued == 0 && work.PagesHeld == 0 && work.ChecksHeld == 0;
    }

    bool broadband;
    TempDir dir;
    std::string ini = dir.File("glimmerscout.ini");
    TForm1 form{ini};
    TForm2 form2;
};

// wget fetching the pages one after the other. keepAlive false: a
// connection per page, as the program's HTTP/1.0 makes.
TRun Wget(const std::vector<std::string>& pages, bool keepAlive)
{
    TempDir dir;
    const std::string list = dir.File("pages.txt");
    {
        std::ofstream out(list);
        for (const std::string& page : pages)
            out << page << "\n";
    }
    return RunTool({"wget", "-q", "--no-proxy", keepAlive ? "--http-keep-alive" : "--no-http-keep-alive", "-O",
                    "/dev/null", "-i", list});
}

// CPU seconds of one wake-up from a 1 ms sleep, as the engine's ticks make.
double WakeUpCpu()
{
    constexpr int rounds = 1000;
    const double cpu0 = SelfCpu();
    for (int i = 0; i < rounds; ++i)
        poll(nullptr, 0, 1);
    return (SelfCpu() - cpu0) / rounds;
}

struct TSoakCost {
    double Cpu = 0;
    long Sleeps = 0;
};

// One soak search; its CPU seconds and the times it slept. listed false: the
// size filter refuses every picture after its check, so that only the
// search's own memory shows, not the growing result list.
TSoakCost SoakFigures(const WebProcess& web, int pages, bool listed, bool broadband = false)
{
    const auto& counts = web.Counts();
    const int64_t pages0 = counts.pages, pictures0 = counts.pictures;
    const int64_t wantPictures = int64_t{pages} * PicturesPerPage;
    Program program(web.Base(), broadband);
    if (!listed)
        TIniFile(program.ini).WriteInteger("Options", "LargerThan", 100);
    // A user's settings file was written long before the search: one written
    // just now is read again at every look, as its times cannot tell a
    // change made within the same tick.
    std::this_thread::sleep_for(std::chrono::milliseconds(2100));
    std::vector<long> rss;
    QElapsedTimer clock;
    clock.start();
    const double cpu0 = SelfCpu();
    const long sleeps0 = SelfSleeps();
    program.Search("soak" + std::to_string(pages / 2));
    const bool finished = RunUntil(
        [&] {
            const int64_t done = counts.pages - pages0;
            while (static_cast<int64_t>(rss.size() + 1) * 1000 <= done)
                rss.push_back(StatusKb("VmRSS"));
            return done >= pages && counts.pictures - pictures0 >= wantPictures && program.AllReaped();
        },
        std::chrono::minutes(30));
    const double cpu = SelfCpu() - cpu0;
    const long sleeps = SelfSleeps() - sleeps0;
    const double wall = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    const TForm1& f = program.form;

    std::printf("%s\n", broadband ? "(c) soak: one recursive search, broadband profile at its own pace, pictures listed"
                                  : listed ? "(a) soak: one recursive search, fast profile, timers at 1 ms, pictures listed"
                                           : "(a) soak: one recursive search, fast profile, timers at 1 ms, pictures "
                                             "refused by the size filter");
    std::printf("    %s: %lld pages read, %lld pictures checked, %zu listed, in %.1f s\n",
                finished ? "finished" : "NOT FINISHED (30 min)", static_cast<long long>(counts.pages - pages0),
                static_cast<long long>(counts.pictures - pictures0), f.Engine.FoundFiles().size(), wall);
    std::printf("    resident memory (MB) every 1,000 pages:");
    for (long kb : rss)
        std::printf(" %.1f", static_cast<double>(kb) / 1024);
    std::printf("\n");
    if (!rss.empty()) {
        const long top = *std::max_element(rss.begin(), rss.end());
        const double rise = static_cast<double>(top - rss.front()) / static_cast<double>(rss.front());
        std::printf("    highest %.1f%% above the level at 1,000 pages -> %s (goal <= 10%%)\n", rise * 100,
                    rise <= 0.10 ? "met" : "MISSED");
    }
    const TWorkCounts work = f.Engine.Work();
    std::printf("    at the end: page queue %zu, check queue %zu, page requests %zu, check requests %zu -> %s\n",
                work.PagesQueued, work.ChecksQueued, work.PagesHeld, work.ChecksHeld,
                program.AllReaped() ? "all reaped" : "NOT ALL REAPED");

    std::printf("    CPU per page: %.3f ms (%.2f s in all; a page fetch and %d picture checks a page)\n",
                cpu / pages * 1e3, cpu, PicturesPerPage);
    return {cpu, sleeps};
}

// The program makes three connections a page (the page and two checks):
// wget fetching the pages alone does a third of that work, so it is also
// run on every URL the program asks for, a connection each.
void WgetFigures(const WebProcess& web, int pages, const TSoakCost& program)
{
    const auto list = sampleweb::GeneratedWeb::SoakPages(web.Base(), pages / 2);
    const TRun wget = Wget(list, true), closing = Wget(list, false);
    std::printf("    wget -i, the same %d pages: %.3f ms CPU a page (%.2f s, %.1f s wall); "
                "without keep-alive %.3f ms (%.2f s)\n",
                pages, wget.Cpu / pages * 1e3, wget.Cpu, wget.Seconds, closing.Cpu / pages * 1e3, closing.Cpu);
    auto all = list;
    const auto pictures = sampleweb::GeneratedWeb::SoakPictures(web.Base(), pages / 2);
    all.insert(all.end(), pictures.begin(), pictures.end());
    const TRun every = Wget(all, false);
    std::printf("    wget -i, the pages and their %zu pictures, a connection each: %.3f ms CPU a page (%.2f s)\n",
                pictures.size(), every.Cpu / pages * 1e3, every.Cpu);
    std::printf("    program (pictures listed) / wget: %.2f (goal <= 1); / wget without keep-alive: %.2f; "
                "/ wget on every request: %.2f\n",
                program.Cpu / wget.Cpu, program.Cpu / closing.Cpu, program.Cpu / every.Cpu);
    // The engine starts and reaps requests on its timers, at most one
    // finished request a reaper tick, and sleeps between ticks: each
    // wake-up has a cost of its own, whatever the work.
    const double requests = static_cast<double>(all.size());
    const double wakeUp = WakeUpCpu();
    std::printf("    the program slept %.2f times a request; a wake-up from a 1 ms sleep costs %.1f us CPU here, "
                "%.2f of wget's whole request\n",
                static_cast<double>(program.Sleeps) / requests, wakeUp * 1e6, wakeUp / (every.Cpu / requests));
}

void EndlessFigures(const WebProcess& web, const std::string& kind, const char* what)
{
    constexpr int pages = 20;
    Program program(web.Base());
    ResetPeak();
    const long before = StatusKb("VmHWM");
    program.Search(kind + std::to_string(pages));
    size_t atOnce = 0;
    const bool allRunning = RunUntil(
        [&] {
            atOnce = std::max(atOnce, program.form.Engine.Work().PagesHeld);
            return atOnce >= pages;
        },
        std::chrono::seconds(60));
    const bool finished = allRunning && RunUntil([&] { return program.AllReaped(); }, std::chrono::seconds(300));
    const double peak = static_cast<double>(StatusKb("VmHWM")) / 1024;
    std::printf("(b) %d endless pages of %s at once (%zu ran together), each cut at %lld bytes%s\n", pages, what,
                atOnce, static_cast<long long>(TRequestScheduler::PageSizeLimit), finished ? "" : " -- NOT FINISHED");
    std::printf("    peak resident memory %.1f MB (%.1f MB before the search) -> %.2f of the goal 300 MB\n", peak,
                static_cast<double>(before) / 1024, peak / 300);
}

} // namespace

int main(int argc, char** argv)
{
    const int pages = argc > 1 ? std::atoi(argv[1]) / 2 * 2 : 10000;
    WebProcess web; // before any thread
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TAdImage::SetLibraryFolder(GS_PROGRAM_DIR);
    const std::string part = argc > 2 ? argv[2] : "";
    if (part.empty() || part == "soak") {
        SoakFigures(web, pages, false);
        WgetFigures(web, pages, SoakFigures(web, pages, true));
    }
    if (part.empty() || part == "endless") {
        EndlessFigures(web, "endless", "text lines");
        EndlessFigures(web, "blank", "empty lines");
    }
    if (part.empty() || part == "broadband")
        SoakFigures(web, pages, true, true);
    return 0;
}
