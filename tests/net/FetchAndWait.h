#pragma once
#include "net/HttpCli.h"
#include "support/TestSupport.h"

#include <chrono>
#include <string>

// Fetches url into stream and waits for the request to end; returns its done
// error, or -1 when it did not end within 20 s.
inline int Fetch(THttpCli& cli, const std::string& url, TStream* stream)
{
    int error = -1;
    cli.URL = url;
    cli.DocStream = stream;
    cli.OnRequestDone = [&](THttpCli*, THttpRequest, uint16_t e) { error = e; };
    cli.GetAsync();
    WaitUntil([&] { return error >= 0; }, std::chrono::seconds(20));
    return error;
}
