// Receiving a large body from a loopback peer through the socket, read by
// the handler in chunks of the HTTP client's size.
#include "support/net/ScriptedServer.h"
#include "net/WSocket.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

namespace {
void ReceiveBody(benchmark::State& state)
{
    const auto size = static_cast<size_t>(state.range(0)) * 1024 * 1024;
    const int chunk = static_cast<int>(state.range(1));
    for (auto _ : state) {
        TScriptedServer server([size](TScriptedConnection& c) { c.SendPattern(size); });
        TWSocket s;
        std::vector<char> buffer(static_cast<size_t>(chunk));
        size_t received = 0;
        bool closed = false;
        s.OnDataAvailable = [&](TCustomWSocket* sender, uint16_t) {
            const int n = sender->Receive(buffer.data(), chunk);
            if (n > 0)
                received += static_cast<size_t>(n);
        };
        s.OnSessionClosed = [&](TCustomWSocket*, uint16_t) { closed = true; };
        s.SetAddr("127.0.0.1");
        s.SetPort(server.PortText());
        s.Connect();
        while (!closed)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        if (received != size)
            state.SkipWithError("body incomplete");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(size));
}
BENCHMARK(ReceiveBody)->Args({200, 8192})->Args({64, 65536})->Unit(benchmark::kMillisecond)->UseRealTime();
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
