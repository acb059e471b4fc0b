#pragma once
#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace sampleweb {

// What a generated web served, in memory its owner provides: shared memory
// lets a parent process read the counts of a web running in its child.
struct GeneratedWebCounts {
    std::atomic<int64_t> pages{0};    // site pages answered
    std::atomic<int64_t> pictures{0}; // picture answers begun
    std::atomic<int> open{0};         // connections the server holds now, from accept to close
    std::atomic<int> mostOpen{0};     // the most open at once (CountOpenByClients)
};

// A generated web for long runs: one host on a free port of 127.0.0.1 that
// answers the HotBot query path ("/" with MT) by the phrase:
// - "soak<N>": a result page listing "/site/<i>.html", i < N. Each holds two
//   pictures and a thumbnail of "/site/deep/<i>.html", which holds two more:
//   a recursive search reads 2N pages and finds 4N pictures of 30000 bytes.
// - "endless<N>" / "blank<N>": N pages "/endless/<i>.html" / "/blank/<i>.html"
//   whose text never ends (lines of text / empty lines) until the reader goes.
class GeneratedWeb {
public:
    explicit GeneratedWeb(GeneratedWebCounts& counts);
    ~GeneratedWeb();
    GeneratedWeb(const GeneratedWeb&) = delete;
    GeneratedWeb& operator=(const GeneratedWeb&) = delete;

    // Every answer waits this long before it goes out, as a distant server's
    // would. Set before Start.
    void SetAnswerDelay(std::chrono::milliseconds delay);
    // mostOpen counts what the clients hold open, from the system's TCP
    // table at every accept, not what the workers hold: a worker may close
    // an answered connection after its client has made the next one. Slows
    // the accepting. Set before Start.
    void CountOpenByClients();
    // Throws std::runtime_error when no port can be had.
    void Start();
    void Stop();
    std::string Base() const; // "http://127.0.0.1:" + port

    // The pages a recursive search of "soak<listed>" reads, in no set order.
    static std::vector<std::string> SoakPages(const std::string& base, int listed);
    // The pictures on those pages, which such a search checks.
    static std::vector<std::string> SoakPictures(const std::string& base, int listed);

private:
    struct Impl;
    std::unique_ptr<Impl> FImpl;
};

} // namespace sampleweb
