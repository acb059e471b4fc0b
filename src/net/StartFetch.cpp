#include "net/StartFetch.h"

std::unique_ptr<THttpCli> StartFetch(const std::string& Url, const TProxySettings& Proxy, TStream* Body,
                                     THttpRequestDone OnDone, const std::function<void(THttpCli&)>& Prepare)
{
    auto client = std::make_unique<THttpCli>();
    client->URL = Url;
    ApplyProxySettings(Proxy, *client);
    client->DocStream = Body;
    client->OnRequestDone = std::move(OnDone);
    if (Prepare)
        Prepare(*client);
    client->GetAsync();
    return client;
}
