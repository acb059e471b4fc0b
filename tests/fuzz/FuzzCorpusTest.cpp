#include "fuzz/FuzzTargets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <unistd.h>

namespace fs = std::filesystem;

// The sanitizers call this before they end the process.
extern "C" __attribute__((weak)) void __sanitizer_set_death_callback(void (*callback)());

// gtest names a target by its name, not its bytes.
void PrintTo(const TFuzzTarget& target, std::ostream* out)
{
    *out << target.Name;
}

namespace {

// The file being fed, named on standard error if the process dies of it:
// a crash ends the whole test program, and gtest's own messages with it.
char gFeeding[4096];

void NameTheFile()
{
    if (gFeeding[0] == '\0')
        return;
    const char prefix[] = "\nfuzz corpus file that ended the test: ";
    [[maybe_unused]] ssize_t n = write(STDERR_FILENO, prefix, sizeof prefix - 1);
    n = write(STDERR_FILENO, gFeeding, std::strlen(gFeeding));
    n = write(STDERR_FILENO, "\n", 1);
}

void OnFatalSignal(int signal)
{
    NameTheFile();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

void WatchForDeath()
{
    static const bool watching = [] {
        for (int signal : {SIGABRT, SIGSEGV, SIGBUS, SIGFPE, SIGILL})
            std::signal(signal, OnFatalSignal);
        if (__sanitizer_set_death_callback)
            __sanitizer_set_death_callback(NameTheFile);
        return true;
    }();
    (void)watching;
}

fs::path SourceDir()
{
    const char* source = std::getenv("GS_SOURCE_DIR");
    return source ? fs::path(source) : fs::path();
}

// Every file of the folder's corpus* folders, in a fixed order.
std::vector<fs::path> CorpusFiles(const fs::path& folder)
{
    std::vector<fs::path> files;
    for (const auto& corpus : fs::directory_iterator(folder))
        if (corpus.is_directory() && corpus.path().filename().string().starts_with("corpus"))
            for (const auto& file : fs::recursive_directory_iterator(corpus.path()))
                if (file.is_regular_file())
                    files.push_back(file.path());
    std::sort(files.begin(), files.end());
    return files;
}

std::string ReadBytes(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class FuzzCorpus : public ::testing::TestWithParam<TFuzzTarget> {};

TEST_P(FuzzCorpus, EveryFileRunsThroughTheEntryFunction)
{
    const TFuzzTarget& target = GetParam();
    const std::vector<fs::path> files = CorpusFiles(target.Folder);
    ASSERT_FALSE(files.empty()) << target.Name << " has no files in a corpus* folder of " << target.Folder;
    WatchForDeath();
    if (target.Initialize) {
        static char program[] = "fuzz_tests";
        static char* args[] = {program, nullptr};
        int argc = 1;
        char** argv = args;
        ASSERT_EQ(target.Initialize(&argc, &argv), 0);
    }
    for (const fs::path& file : files) {
        const std::string bytes = ReadBytes(file);
        std::snprintf(gFeeding, sizeof gFeeding, "%s", file.c_str());
        const int result = target.TestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
        // libFuzzer knows 0, and -1 for "keep out of the corpus".
        EXPECT_TRUE(result == 0 || result == -1) << file << " returned " << result;
    }
    gFeeding[0] = '\0';
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzCorpus, ::testing::ValuesIn(FuzzTargets()),
                         [](const ::testing::TestParamInfo<TFuzzTarget>& info) { return info.param.Name; });

TEST(FuzzTargets, EveryFolderOfFuzzIsReplayed)
{
    const fs::path fuzz = SourceDir() / "fuzz";
    ASSERT_TRUE(fs::is_directory(fuzz));
    std::set<fs::path> folders, replayed;
    for (const auto& entry : fs::directory_iterator(fuzz))
        if (fs::exists(entry.path() / "CMakeLists.txt"))
            folders.insert(fs::canonical(entry.path()));
    for (const TFuzzTarget& target : FuzzTargets())
        replayed.insert(fs::canonical(target.Folder));
    EXPECT_EQ(replayed, folders) << "each folder of fuzz/ needs its add_subdirectory line in fuzz/CMakeLists.txt";
}

}
