#include "sampleweb/SampleWeb.h"

#include "sampleweb/Content.h"
#include "sampleweb/PageHtml.h"
#include "sampleweb/PictureFile.h"
#include "sampleweb/ResultPages.h"
#include "sampleweb/StallServer.h"

#include <httplib.h>

#include <map>
#include <mutex>
#include <stdexcept>
#include <thread>

namespace sampleweb {

namespace {

constexpr int ServerCount = static_cast<int>(Host::SiteB) + 1; // every host but the stalling one

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

int PageNumber(const httplib::Request& req)
{
    try {
        return req.has_param("page") ? std::stoi(req.get_param_value("page")) : 1;
    } catch (const std::exception&) {
        return 0;
    }
}

} // namespace

struct SampleWeb::Impl {
    std::array<httplib::Server, ServerCount> servers;
    std::vector<std::thread> threads;
    StallServer stall;
    Addresses addresses;
    std::map<std::pair<Host, std::string>, Served> site;
    mutable std::mutex sourcesLock;
    std::set<std::string> sources;

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
};

SampleWeb::SampleWeb() : FImpl(std::make_unique<Impl>()) {}

SampleWeb::~SampleWeb()
{
    Stop();
}

void SampleWeb::Start()
{
    Impl& impl = *FImpl;
    std::array<uint16_t, HostCount> ports{};
    for (int i = 0; i < ServerCount; ++i) {
        const int port = impl.servers[i].bind_to_any_port("127.0.0.1");
        if (port <= 0)
            throw std::runtime_error(std::string("sample web: cannot listen for ") + HostName(static_cast<Host>(i)));
        ports[i] = static_cast<uint16_t>(port);
    }
    ports[static_cast<int>(Host::Stall)] = impl.stall.Start();
    impl.addresses = Addresses(ports);
    impl.Build();

    for (int i = 0; i < ServerCount; ++i) {
        const Host host = static_cast<Host>(i);
        const bool isSite = host == Host::SiteA || host == Host::SiteB;
        impl.servers[i].Get(".*", [&impl, host, isSite](const httplib::Request& req, httplib::Response& res) {
            if (isSite)
                impl.AnswerSite(host, req, res);
            else
                impl.AnswerService(host, req, res);
        });
        httplib::Server& server = impl.servers[i];
        server.set_logger([&impl](const httplib::Request& req, const httplib::Response&) {
            const std::lock_guard<std::mutex> lock(impl.sourcesLock);
            impl.sources.insert(req.remote_addr);
        });
        impl.threads.emplace_back([&server] { server.listen_after_bind(); });
    }
    // stop() only reaches a server whose accept loop runs.
    for (const httplib::Server& server : impl.servers)
        for (int wait = 0; !server.is_running() && wait < 5000; ++wait)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

void SampleWeb::Stop()
{
    Impl& impl = *FImpl;
    for (httplib::Server& server : impl.servers)
        server.stop();
    for (std::thread& t : impl.threads)
        t.join();
    impl.threads.clear();
    impl.stall.Stop();
}

const Addresses& SampleWeb::GetAddresses() const
{
    return FImpl->addresses;
}

std::set<std::string> SampleWeb::RequestSources() const
{
    const std::lock_guard<std::mutex> lock(FImpl->sourcesLock);
    return FImpl->sources;
}

} // namespace sampleweb
