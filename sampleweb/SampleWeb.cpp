#include "sampleweb/SampleWeb.h"

#include "sampleweb/Content.h"
#include "sampleweb/PageHtml.h"
#include "sampleweb/PictureFile.h"
#include "sampleweb/ResultPages.h"
#include "sampleweb/CollectionPages.h"
#include "sampleweb/SourcePages.h"
#include "sampleweb/StallServer.h"
#include "sampleweb/certificates/Certificates.h"

#include <httplib.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <mutex>
#include <stdexcept>
#include <thread>

namespace sampleweb {

namespace {

constexpr int ServerCount = static_cast<int>(Host::Museums) + 1; // every host but the stalling one

using Body = std::shared_ptr<const std::string>;

struct Served {
    const Resource* resource;
    Body body;
};

void SendHtml(httplib::Response& res, int status, const std::string& html)
{
    res.status = status;
    res.set_content(html, "text/html");
}

void Send(httplib::Response& res, const SourceReply& reply)
{
    res.status = reply.status;
    for (const auto& [name, value] : reply.headers)
        res.set_header(name, value);
    res.set_content(reply.body, reply.contentType);
}

void SendNotFound(httplib::Response& res)
{
    SendHtml(res, 404, NotFoundHtml());
}

// Streams the shared bytes instead of copying megabytes into every response.
void SendPicture(httplib::Response& res, const Body& body, bool withLength)
{
    if (withLength) {
        res.set_content_provider(body->size(), "image/jpeg",
                                 [body](size_t offset, size_t length, httplib::DataSink& sink) {
                                     return sink.write(body->data() + offset, length);
                                 });
        return;
    }
    // No length: the body ends when the server closes the connection.
    res.set_content_provider("image/jpeg", [body](size_t offset, httplib::DataSink& sink) {
        if (offset >= body->size()) {
            sink.done();
            return true;
        }
        return sink.write(body->data() + offset, std::min<size_t>(16384, body->size() - offset));
    });
}

int NumberParameter(const httplib::Request& req, const char* name, int absent)
{
    try {
        return req.has_param(name) ? std::stoi(req.get_param_value(name)) : absent;
    } catch (const std::exception&) {
        return 0;
    }
}

int PageNumber(const httplib::Request& req) { return NumberParameter(req, "page", 1); }

// Below "/empty" a source finds nothing; below "/changed" it answers in a
// format of its own; below "/throttled" it refuses pages past the first with
// 429. The prefix is taken off the path.
SourceVariant VariantOf(std::string& path)
{
    for (const auto& [prefix, variant] :
         {std::pair{"/empty/", SourceVariant::Empty}, std::pair{"/changed/", SourceVariant::Changed},
          std::pair{"/throttled/", SourceVariant::Throttled}})
        if (path.starts_with(prefix)) {
            path.erase(0, std::string_view(prefix).size() - 1);
            return variant;
        }
    return SourceVariant::Normal;
}

// One way in: plain HTTP or HTTPS, each with its own ports, and pages whose
// absolute links stay on it.
struct Way {
    Addresses addresses;
    std::map<std::pair<Host, std::string>, Served> site;

    void Build()
    {
        for (const Resource& r : SiteResources()) {
            Body body;
            switch (r.answer) {
            case Answer::Page: body = std::make_shared<const std::string>(PageHtml(r, addresses)); break;
            case Answer::Picture:
            case Answer::PictureWithoutLength: body = std::make_shared<const std::string>(PictureFile(r)); break;
            case Answer::HtmlInsteadOfPicture: body = std::make_shared<const std::string>(NotAPictureHtml()); break;
            case Answer::TypedPicture: body = std::make_shared<const std::string>(TypedPictureFile(r.path)); break;
            case Answer::Redirect: break;
            }
            site[{r.host, r.path}] = {&r, body};
        }
    }

    void AnswerSite(Host host, const httplib::Request& req, httplib::Response& res) const
    {
        const auto it = site.find({host, req.path});
        if (it == site.end())
            return SendNotFound(res);
        const Served& s = it->second;
        switch (s.resource->answer) {
        case Answer::Page:
        case Answer::HtmlInsteadOfPicture: return SendHtml(res, 200, *s.body);
        case Answer::Picture: return SendPicture(res, s.body, true);
        case Answer::PictureWithoutLength: return SendPicture(res, s.body, false);
        case Answer::Redirect: return res.set_redirect(s.resource->target, 302);
        case Answer::TypedPicture: return res.set_content(*s.body, s.resource->target);
        }
    }

    // A live source answers its API path in JSON, serves its thumbnails and
    // the files it lists on any other path; Commons' files (its upload host)
    // only to an agent that names its client. Below "/login" every path leads
    // to a login page.
    void AnswerSource(Host host, const httplib::Request& req, httplib::Response& res) const
    {
        std::string path = req.path;
        if (path.starts_with("/login/"))
            return res.set_redirect(addresses.Base(host) + "/login?returnto=" + path.substr(6), 302);
        if (path == "/login")
            return SendHtml(res, 200, "<html><head><title>Log in</title></head><body><form>Log in</form></body></html>");
        const SourceVariant variant = VariantOf(path);
        if ((host == Host::Commons && path == "/w/api.php") || (host == Host::Openverse && path == "/v1/images/")) {
            const Parameters parameters(req.params.begin(), req.params.end());
            const SourceReply reply = host == Host::Commons ? CommonsApi(parameters, variant, addresses)
                                                            : OpenverseApi(parameters, variant, addresses);
            return Send(res, reply);
        }
        if (host == Host::Commons && path.starts_with("/files/") && !AgentNamesClient(req.get_header_value("User-Agent")))
            return SendHtml(res, 403, "<html><body><h1>Forbidden</h1><p>Please set a user-agent that names your "
                                      "client and a way to contact you, as the user-agent policy asks.</p></body></html>");
        if (const std::string thumbnail = SourceThumbnail(host, path); !thumbnail.empty())
            return res.set_content(thumbnail, "image/jpeg");
        AnswerSite(host, req, res);
    }

    // The open collections answer their API paths in JSON and serve their
    // pictures; below "/empty" and "/changed" as the sources do.
    void AnswerCollection(const httplib::Request& req, httplib::Response& res) const
    {
        std::string path = req.path;
        const SourceVariant variant = VariantOf(path);
        const auto parameter = [&](const char* name) {
            return req.has_param(name) ? req.get_param_value(name) : std::string();
        };
        if (const std::optional<SourceReply> reply = CollectionAnswer(path, parameter, variant, addresses))
            return Send(res, *reply);
        if (const std::string* picture = CollectionPicture(path))
            return res.set_content(*picture, "image/jpeg");
        SendNotFound(res);
    }

    // Each service answers its own query path; a query without the phrase
    // parameter is no query of the program's. Below "/changed" a service
    // answers as if its page format had changed.
    void AnswerService(Host host, const httplib::Request& req, httplib::Response& res) const
    {
        if (req.path.starts_with("/changed/"))
            return SendHtml(res, 200, ChangedFormatPage());
        if (host == Host::HotBot && req.path == "/" && req.has_param("MT"))
            return SendHtml(res, 200, HotBotPage(addresses));
        if (host == Host::Lycos && req.path == "/cgi-bin/pursuit" && req.has_param("query")) {
            const std::string cat = req.get_param_value("cat");
            if (cat == "lycos")
                return SendHtml(res, 200, LycosPage(addresses));
            if (cat == "graphics")
                return SendHtml(res, 200, ImagesDirectPage(PageNumber(req), req.get_param_value("query"), addresses));
        }
        if (host == Host::ScourNet && req.path == "/cgi-bin/search.cgi" && req.has_param("query") &&
            req.get_param_value("index") == "image")
            return SendHtml(res, 200, ScourNetPage(PageNumber(req), req.get_param_value("query"), addresses));
        SendNotFound(res);
    }

    void Respond(Host host, const httplib::Request& req, httplib::Response& res) const
    {
        switch (host) {
        case Host::SiteA:
        case Host::SiteB: return AnswerSite(host, req, res);
        case Host::Commons:
        case Host::Openverse: return AnswerSource(host, req, res);
        case Host::Museums: return AnswerCollection(req, res);
        default: return AnswerService(host, req, res);
        }
    }
};

// The CA the HTTPS side is signed by, and the files it lives in while the web runs.
struct Certificates {
    std::filesystem::path dir;

    void Make()
    {
        char name[] = "/tmp/glimmerscout-sampleweb-XXXXXX";
        if (!::mkdtemp(name))
            throw std::runtime_error("sample web: cannot make a folder for its certificates");
        dir = name;
        const certificates::Identity ca = certificates::MakeCa("Glimmerscout sample web CA");
        const certificates::Identity leaf = certificates::MakeLeaf({"127.0.0.1", "localhost", "::1"}, &ca);
        certificates::WritePem(CaFile(), ca.CertificatePem);
        certificates::WritePem(dir / "leaf.pem", leaf.CertificatePem);
        certificates::WritePem(dir / "leaf.key", leaf.KeyPem);
    }
    std::filesystem::path CaFile() const { return dir / "ca.pem"; }
    ~Certificates()
    {
        std::error_code ignored;
        if (!dir.empty())
            std::filesystem::remove_all(dir, ignored);
    }
};

} // namespace

struct SampleWeb::Impl {
    Certificates certificates;
    std::array<Way, 2> ways; // plain, then TLS
    // Each host's plain server, then each host's TLS server.
    std::vector<std::unique_ptr<httplib::Server>> servers;
    std::vector<std::thread> threads;
    StallServer stall;
    mutable std::mutex sourcesLock;
    std::set<std::string> sources;
    std::map<Host, std::set<std::string>> agents;
    std::map<Host, size_t> requests;
    std::map<std::pair<Host, std::string>, std::vector<std::chrono::steady_clock::time_point>> searchTimes;
    std::map<Host, std::set<std::string>> searches;
    std::map<Host, std::set<std::string>> paths;
    std::chrono::steady_clock::time_point lastAnswered;
};

SampleWeb::SampleWeb() : FImpl(std::make_unique<Impl>()) {}

SampleWeb::~SampleWeb()
{
    Stop();
}

void SampleWeb::Start()
{
    Impl& impl = *FImpl;
    impl.certificates.Make();
    const std::string cert = (impl.certificates.dir / "leaf.pem").string();
    const std::string key = (impl.certificates.dir / "leaf.key").string();
    std::array<std::array<uint16_t, HostCount>, 2> ports{};
    for (int way = 0; way < 2; ++way)
        for (int i = 0; i < ServerCount; ++i) {
            auto server = way == 0 ? std::make_unique<httplib::Server>()
                                   : std::make_unique<httplib::SSLServer>(cert.c_str(), key.c_str());
            if (!server->is_valid())
                throw std::runtime_error("sample web: cannot set up TLS");
            const int port = server->bind_to_any_port("127.0.0.1");
            if (port <= 0)
                throw std::runtime_error(std::string("sample web: cannot listen for ") + HostName(static_cast<Host>(i)));
            ports[way][i] = static_cast<uint16_t>(port);
            impl.servers.push_back(std::move(server));
        }
    const uint16_t stall = impl.stall.Start();
    for (int way = 0; way < 2; ++way) {
        ports[way][static_cast<int>(Host::Stall)] = stall;
        impl.ways[way].addresses = Addresses(ports[way], way == 0 ? "http" : "https");
        impl.ways[way].Build();
    }

    for (size_t n = 0; n < impl.servers.size(); ++n) {
        const Host host = static_cast<Host>(n % ServerCount);
        const Way& way = impl.ways[n / ServerCount];
        httplib::Server& server = *impl.servers[n];
        server.Get(".*", [&impl, &way, host](const httplib::Request& req, httplib::Response& res) {
            if (req.has_param("q")) {
                const std::lock_guard<std::mutex> lock(impl.sourcesLock);
                impl.searchTimes[{host, req.path}].push_back(std::chrono::steady_clock::now());
            }
            way.Respond(host, req, res);
        });
        server.set_logger([&impl, host](const httplib::Request& req, const httplib::Response&) {
            const std::lock_guard<std::mutex> lock(impl.sourcesLock);
            impl.sources.insert(req.remote_addr);
            impl.lastAnswered = std::chrono::steady_clock::now();
            impl.agents[host].insert(req.get_header_value("User-Agent"));
            if (req.has_header("AIC-User-Agent"))
                impl.agents[host].insert("AIC-User-Agent: " + req.get_header_value("AIC-User-Agent"));
            ++impl.requests[host];
            impl.paths[host].insert(req.path);
            for (const char* name : {"gsrsearch", "q"})
                if (req.has_param(name))
                    impl.searches[host].insert(req.get_param_value(name));
        });
        impl.threads.emplace_back([&server] { server.listen_after_bind(); });
    }
    // stop() only reaches a server whose accept loop runs.
    for (const auto& server : impl.servers)
        for (int wait = 0; !server->is_running() && wait < 5000; ++wait)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

void SampleWeb::Stop()
{
    Impl& impl = *FImpl;
    for (const auto& server : impl.servers)
        server->stop();
    for (std::thread& t : impl.threads)
        t.join();
    impl.threads.clear();
    impl.stall.Stop();
}

const Addresses& SampleWeb::GetAddresses() const
{
    return FImpl->ways[0].addresses;
}

const Addresses& SampleWeb::GetSecureAddresses() const
{
    return FImpl->ways[1].addresses;
}

std::string SampleWeb::CaFile() const
{
    return FImpl->certificates.CaFile().string();
}

std::set<std::string> SampleWeb::RequestSources() const
{
    const std::lock_guard<std::mutex> lock(FImpl->sourcesLock);
    return FImpl->sources;
}

std::chrono::steady_clock::time_point SampleWeb::LastAnswered() const
{
    const std::lock_guard<std::mutex> lock(FImpl->sourcesLock);
    return FImpl->lastAnswered;
}

size_t SampleWeb::Requests(Host host) const
{
    const std::lock_guard<std::mutex> lock(FImpl->sourcesLock);
    const auto it = FImpl->requests.find(host);
    return it == FImpl->requests.end() ? 0 : it->second;
}

std::set<std::string> SampleWeb::Paths(Host host) const
{
    const std::lock_guard<std::mutex> lock(FImpl->sourcesLock);
    const auto it = FImpl->paths.find(host);
    return it == FImpl->paths.end() ? std::set<std::string>{} : it->second;
}

std::vector<std::chrono::steady_clock::time_point> SampleWeb::SearchTimes(Host host, const std::string& path) const
{
    const std::lock_guard<std::mutex> lock(FImpl->sourcesLock);
    const auto it = FImpl->searchTimes.find({host, path});
    return it == FImpl->searchTimes.end() ? std::vector<std::chrono::steady_clock::time_point>{} : it->second;
}

std::set<std::string> SampleWeb::Searches(Host host) const
{
    const std::lock_guard<std::mutex> lock(FImpl->sourcesLock);
    const auto it = FImpl->searches.find(host);
    return it == FImpl->searches.end() ? std::set<std::string>{} : it->second;
}

std::set<std::string> SampleWeb::Agents(Host host) const
{
    const std::lock_guard<std::mutex> lock(FImpl->sourcesLock);
    const auto it = FImpl->agents.find(host);
    return it == FImpl->agents.end() ? std::set<std::string>{} : it->second;
}

} // namespace sampleweb
