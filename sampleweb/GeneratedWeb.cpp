#include "sampleweb/GeneratedWeb.h"

#include "sampleweb/ResultPages.h"

#include <httplib.h>

#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <thread>

namespace sampleweb {

namespace {

constexpr size_t PictureBytes = 30000;
// Every connection may stream at once: the fast profile's 20 pages and 25 checks.
constexpr size_t ServerThreads = 64;
// An endless page still ends here, so that a reader that never stops cannot keep a thread for ever.
constexpr size_t EndlessCap = size_t{1} << 30;
// One block of an endless page (60 kB) per pace: about 6 MB a second.
constexpr std::chrono::milliseconds EndlessPace{10};

// Connections to the port still open at the connecting end (established,
// or closed by the server alone), as the system's TCP table tells them: a
// worker that has answered may close its end a little later than the
// client, so the workers' own count would see a client's next connection
// beside the one it already closed.
int OpenFromClients(int port)
{
    char remote[16];
    std::snprintf(remote, sizeof remote, ":%04X ", port);
    std::ifstream table("/proc/net/tcp");
    std::string line;
    std::getline(table, line); // the header
    int open = 0;
    while (std::getline(table, line)) {
        // "  sl: local_address rem_address st ...": the remote address's port, then the state.
        const size_t rem = line.find(' ', line.find(':') + 2) + 1;
        if (line.compare(rem + 8, 6, remote) != 0)
            continue;
        const std::string state = line.substr(rem + 14, 2);
        open += state == "01" || state == "08" ? 1 : 0; // established, close-wait
    }
    return open;
}

// The server's pool of threads, counting the connections it holds (a
// connection is one task, from its accept to its close) and the most held
// at once: by the workers, or at every accept by the clients (exact, but
// the table costs the accepting thread a millisecond and more).
class CountingPool : public httplib::TaskQueue {
public:
    CountingPool(GeneratedWebCounts& counts, const int& port, bool byClients)
        : FCounts(counts), FPort(port), FByClients(byClients), FPool(ServerThreads)
    {
    }
    void enqueue(std::function<void()> fn) override
    {
        const int held = ++FCounts.open;
        const int now = FByClients ? OpenFromClients(FPort) : held;
        for (int most = FCounts.mostOpen.load(); now > most && !FCounts.mostOpen.compare_exchange_weak(most, now);) {
        }
        FPool.enqueue([this, fn = std::move(fn)] {
            fn();
            --FCounts.open;
        });
    }
    void shutdown() override { FPool.shutdown(); }

private:
    GeneratedWebCounts& FCounts;
    const int& FPort;
    bool FByClients;
    httplib::ThreadPool FPool;
};

std::string Page(const std::string& body)
{
    return "<html>\r\n<head><title>Generated</title></head>\r\n<body>\r\n" + body + "</body>\r\n</html>\r\n";
}

std::string ListedPage(const std::string& i)
{
    return Page("<p><img src=\"pics/" + i + "-a.jpg\"></p>\r\n<p><img src=\"pics/" + i + "-b.jpg\"></p>\r\n" +
                "<p><a href=\"deep/" + i + ".html\"><img src=\"thumbs/" + i + ".jpg\"></a></p>\r\n");
}

std::string DeepPage(const std::string& i)
{
    return Page("<p><img src=\"pics/" + i + "-c.jpg\"></p>\r\n<p><img src=\"pics/" + i + "-d.jpg\"></p>\r\n");
}

// "soak12" with prefix "soak" gives 12; anything else -1.
int CountAfter(const std::string& phrase, const std::string& prefix)
{
    if (!phrase.starts_with(prefix) || phrase.size() == prefix.size() || phrase.size() > prefix.size() + 6)
        return -1;
    for (size_t i = prefix.size(); i < phrase.size(); ++i)
        if (phrase[i] < '0' || phrase[i] > '9')
            return -1;
    return std::stoi(phrase.substr(prefix.size()));
}

// What a result page lists, by the phrase searched for.
struct Listing {
    const char* phrase;
    const char* folder;
};
constexpr Listing kListings[] = {{"soak", "/site/"}, {"endless", "/endless/"}, {"blank", "/blank/"}};

std::string ResultPage(const std::string& base, const std::string& folder, int count)
{
    std::vector<std::vector<HotBotResult>> lines;
    for (int i = 0; i < count; ++i)
        lines.push_back({{base + folder + std::to_string(i) + ".html", "Page " + std::to_string(i)}});
    return HotBotPage(lines);
}

} // namespace

struct GeneratedWeb::Impl {
    explicit Impl(GeneratedWebCounts& c) : counts(c) {}
    GeneratedWebCounts& counts;
    httplib::Server server;
    std::thread thread;
    int port = 0;
    std::chrono::milliseconds delay{0};
    bool countByClients = false;
    const std::string picture = std::string(PictureBytes, '\0');
    const std::string endlessText = [] {
        std::string block;
        while (block.size() < 60000)
            block += "<p>A page of a person who never stops writing, line after line.</p>\r\n";
        return block;
    }();
    const std::string blankText = std::string(60000, '\n');

    std::string Base() const { return "http://127.0.0.1:" + std::to_string(port); }

    void Endless(httplib::Response& res, const std::string& text)
    {
        // Paced, so that every page of a search is still coming when the last one starts.
        res.set_content_provider("text/html", [this, &text](size_t offset, httplib::DataSink& sink) {
            std::this_thread::sleep_for(EndlessPace);
            return offset < EndlessCap && server.is_running() && sink.write(text.data(), text.size());
        });
    }

    void Answer(const httplib::Request& req, httplib::Response& res)
    {
        if (delay.count() > 0)
            std::this_thread::sleep_for(delay);
        const std::string& path = req.path;
        if (path == "/" && req.has_param("MT")) {
            const std::string phrase = req.get_param_value("MT");
            for (const Listing& listing : kListings)
                if (const int n = CountAfter(phrase, listing.phrase); n >= 0)
                    return res.set_content(ResultPage(Base(), listing.folder, n), "text/html");
        } else if (path.ends_with(".jpg")) {
            ++counts.pictures;
            return res.set_content(picture, "image/jpeg");
        } else if (path.starts_with("/site/") && path.ends_with(".html")) {
            const bool deep = path.starts_with("/site/deep/");
            const std::string i = path.substr(deep ? 11 : 6, path.size() - (deep ? 11 : 6) - 5);
            ++counts.pages;
            return res.set_content(deep ? DeepPage(i) : ListedPage(i), "text/html");
        } else if (path.starts_with("/endless/")) {
            return Endless(res, endlessText);
        } else if (path.starts_with("/blank/")) {
            return Endless(res, blankText);
        }
        res.status = 404;
        res.set_content(Page("<p>Not found.</p>\r\n"), "text/html");
    }
};

GeneratedWeb::GeneratedWeb(GeneratedWebCounts& counts) : FImpl(std::make_unique<Impl>(counts)) {}

GeneratedWeb::~GeneratedWeb()
{
    Stop();
}

void GeneratedWeb::Start()
{
    Impl& impl = *FImpl;
    impl.server.new_task_queue = [&impl] { return new CountingPool(impl.counts, impl.port, impl.countByClients); };
    // A header and its body go out in two writes: without this a keep-alive
    // client waits for a delayed acknowledgement at every page.
    impl.server.set_tcp_nodelay(true);
    impl.server.Get(".*", [&impl](const httplib::Request& req, httplib::Response& res) { impl.Answer(req, res); });
    impl.port = impl.server.bind_to_any_port("127.0.0.1");
    if (impl.port <= 0)
        throw std::runtime_error("generated web: cannot listen");
    impl.thread = std::thread([&impl] { impl.server.listen_after_bind(); });
    for (int wait = 0; !impl.server.is_running() && wait < 5000; ++wait)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

void GeneratedWeb::SetAnswerDelay(std::chrono::milliseconds delay)
{
    FImpl->delay = delay;
}

void GeneratedWeb::CountOpenByClients()
{
    FImpl->countByClients = true;
}

void GeneratedWeb::Stop()
{
    Impl& impl = *FImpl;
    impl.server.stop();
    if (impl.thread.joinable())
        impl.thread.join();
}

std::string GeneratedWeb::Base() const
{
    return FImpl->Base();
}

std::vector<std::string> GeneratedWeb::SoakPages(const std::string& base, int listed)
{
    std::vector<std::string> pages;
    for (int i = 0; i < listed; ++i) {
        pages.push_back(base + "/site/" + std::to_string(i) + ".html");
        pages.push_back(base + "/site/deep/" + std::to_string(i) + ".html");
    }
    return pages;
}

std::vector<std::string> GeneratedWeb::SoakPictures(const std::string& base, int listed)
{
    std::vector<std::string> pictures;
    for (int i = 0; i < listed; ++i) {
        const std::string n = std::to_string(i);
        // Two on the listed page, two on the deep page it links to.
        for (const std::string& picture :
             {"/site/pics/" + n + "-a", "/site/pics/" + n + "-b", "/site/deep/pics/" + n + "-c", "/site/deep/pics/" + n + "-d"})
            pictures.push_back(base + picture + ".jpg");
    }
    return pictures;
}

} // namespace sampleweb
