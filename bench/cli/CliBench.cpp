// The search without a window beside wget, on the sample web, in one run:
//   glimmerscout --search (links checked, recursive; it stops at the
//     catalogue's count of listed pictures)
//   wget -r -l 1 -A jpg on the site pages that search reads
// CPU seconds and wall time of each (best of the repetitions) and their
// ratio, with the pictures each found. Goal: less CPU than wget, as a link
// check never fetches a picture's body. The sample web runs in this process,
// so the CPU figures are the two programs' own.
// Usage: bench_cli [repetitions]   (default 3)
#include "ToolRun.h"

#include "sampleweb/BaseAddressSettings.h"
#include "sampleweb/Catalogue.h"
#include "sampleweb/SampleWeb.h"
#include "support/TestSupport.h"

#include <QDirIterator>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <set>

namespace {

std::set<std::string> Lines(const std::string& file)
{
    std::set<std::string> lines;
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);)
        lines.insert(line.substr(line.find('\t') + 1));
    return lines;
}

// The pictures wget saved, as their URLs (it names folders "host:port/path").
std::set<std::string> Saved(const std::string& folder)
{
    std::set<std::string> urls;
    QDirIterator it(QString::fromStdString(folder), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        urls.insert("http://" + it.next().mid(static_cast<int>(folder.size()) + 1).toStdString());
    return urls;
}

TRun Best(const TRun& a, const TRun& b)
{
    return {std::min(a.Seconds, b.Seconds), std::min(a.Cpu, b.Cpu)};
}

} // namespace

int main(int argc, char** argv)
{
    const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    sampleweb::SampleWeb web;
    web.Start();
    const sampleweb::Addresses& addresses = web.GetAddresses();
    const sampleweb::Catalogue catalogue(addresses);
    const auto listed = catalogue.Listing({});
    TempDir dir;
    const std::string ini = dir.File("glimmerscout.ini");
    sampleweb::WriteBaseAddressSettings(ini, addresses);
    const std::string pages = dir.File("pages.txt");
    {
        std::ofstream out(pages);
        for (const std::string& page : catalogue.PagesVisited(true))
            out << page << "\n";
    }
    const std::string program = std::string(GS_PROGRAM_DIR) + "/glimmerscout";
    const std::string stall = ":" + std::to_string(addresses.Port(sampleweb::Host::Stall)) + "/";

    TRun ours{1e9, 1e9}, theirs{1e9, 1e9};
    std::set<std::string> found, fetched;
    for (int i = 0; i < repetitions; ++i) {
        const std::string out = dir.File("found.txt");
        ours = Best(ours, RunTool({program, "--search", "red cars", "--settings", ini, "--check", "--recursive",
                                     "--max-results", std::to_string(listed.size())},
                                    out));
        found = Lines(out);
        const std::string folder = dir.File("wget" + std::to_string(i));
        // Robots files and the host that never answers are left out: the
        // program asks for neither (it stops before its stalled check ends).
        theirs = Best(theirs, RunTool({"wget", "-q", "--no-proxy", "-e", "robots=off", "-r", "-l", "1", "-A", "jpg",
                                       "-H", "-T", "30", "-t", "1", "--reject-regex", stall, "-P", folder, "-i",
                                       pages}));
        fetched = Saved(folder);
    }
    std::set<std::string> want;
    for (const auto& row : listed)
        want.insert(row.url);
    std::vector<std::string> both;
    std::set_intersection(found.begin(), found.end(), fetched.begin(), fetched.end(), std::back_inserter(both));

    std::printf("The sample web: %zu site pages, %zu pictures listed by a checked recursive search "
                "(best of %d runs)\n",
                catalogue.PagesVisited(true).size(), listed.size(), repetitions);
    std::printf("  glimmerscout --search: %zu pictures found (%s the catalogue), %.3f s CPU, %.2f s wall\n",
                found.size(), found == want ? "equal to" : "NOT EQUAL to", ours.Cpu, ours.Seconds);
    std::printf("  wget -r -l 1 -A jpg:   %zu pictures fetched, %zu of them found by both, %.3f s CPU, %.2f s wall\n",
                fetched.size(), both.size(), theirs.Cpu, theirs.Seconds);
    std::printf("  CPU glimmerscout / wget: %.2f -> %s (goal < 1); wall: %.2f\n", ours.Cpu / theirs.Cpu,
                ours.Cpu < theirs.Cpu ? "met" : "MISSED", ours.Seconds / theirs.Seconds);
    return 0;
}
