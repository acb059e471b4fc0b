#pragma once
#include "net/HttpCli.h"
#include "net/ProxySettings.h"

#include <functional>
#include <memory>
#include <string>

// Makes a client for a GET of Url through the proxies and with the TLS
// settings, its body going to Body (none: not kept) and its end told to
// OnDone; Prepare sets whatever else the caller's kind of fetch needs. Then
// starts it and hands it over. Raises when the request cannot start, the
// client freed.
std::unique_ptr<THttpCli> StartFetch(const std::string& Url, const TProxySettings& Proxy, TStream* Body,
                                     THttpRequestDone OnDone, const std::function<void(THttpCli&)>& Prepare = {});
