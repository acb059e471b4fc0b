// Expanding a folder of 100,000 subfolders in the directory tree (each
// child probed for its own first subfolder) beside
// `find DIR -mindepth 1 -maxdepth 2 -type d` on the same tree, which reads
// the same folders. Goal: at most 3 times find's time. Wall-clock times,
// since find runs in a process of its own; the memory a folder node takes
// (with the placeholder below it) is reported as bytes_per_node.
#include "RatioReporter.h"
#include "controls/DirTree.h"
#include "platform/drives/LocalDriveSystem.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <malloc.h>
#include <memory>
#include <sys/stat.h>

namespace {

constexpr int Subfolders = 100000;

// One fixed drive: the benchmark's own folder.
class TBenchDrives : public TLocalDriveSystem {
public:
    explicit TBenchDrives(std::string root) : FRoot(std::move(root)) {}
    std::vector<TDrive> Drives() override { return {{.Root = FRoot, .Kind = drtFixed}}; }

private:
    std::string FRoot;
};

struct TBigFolder {
    TempDir dir;
    std::string root = dir.Path() + "/";
    std::string big = root + "big/";
    TBigFolder()
    {
        mkdir(big.c_str(), 0777);
        char name[32];
        for (int i = 0; i < Subfolders; ++i) {
            std::snprintf(name, sizeof name, "Folder%06d", i);
            const std::string child = big + name;
            mkdir(child.c_str(), 0777);
            mkdir((child + "/inner").c_str(), 0777);
        }
    }
};

TBigFolder& Big()
{
    static TBigFolder folder;
    return folder;
}

size_t HeapInUse() { return mallinfo2().uordblks; }

void BM_ExpandFolderOf100000(benchmark::State& state)
{
    TBigFolder& folder = Big();
    TDirTree tree(nullptr, std::make_shared<TBenchDrives>(folder.root));
    tree.FastLoad = true;
    tree.InitialDirectory = folder.root;
    tree.show();
    for (auto _ : state) {
        state.PauseTiming();
        tree.ReloadDrives();
        tree.topLevelItem(0)->setExpanded(true);
        QTreeWidgetItem* node = tree.FindNodeByPath(folder.big);
        const size_t before = HeapInUse();
        state.ResumeTiming();
        node->setExpanded(true);
        state.PauseTiming();
        if (node->childCount() != Subfolders || node->child(0)->childCount() != 1)
            state.SkipWithError("the folder was not read whole");
        state.counters["bytes_per_node"] = double(HeapInUse() - before) / Subfolders;
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ExpandFolderOf100000)->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(3)->UseRealTime()
    ->ComputeStatistics("min", MinStatistic);

void BM_FindTwoLevels(benchmark::State& state)
{
    const std::string command = "find '" + Big().big + "' -mindepth 1 -maxdepth 2 -type d > /dev/null";
    for (auto _ : state)
        if (std::system(command.c_str()) != 0)
            state.SkipWithError("find failed");
}
BENCHMARK(BM_FindTwoLevels)->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(3)->UseRealTime()
    ->ComputeStatistics("min", MinStatistic);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    TRatioReporter reporter(true);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double tree = reporter.Time("BM_ExpandFolderOf100000/iterations:3/repeats:3/real_time");
    const double find = reporter.Time("BM_FindTwoLevels/iterations:3/repeats:3/real_time");
    if (tree > 0 && find > 0)
        std::printf("Expanding 100,000 subfolders / find over the same tree: %.2f (goal: at most 3)\n", tree / find);
    benchmark::Shutdown();
}
