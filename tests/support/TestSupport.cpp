#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>

TempDir::TempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "gs-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    FPath = pattern;
}

TempDir::~TempDir()
{
    std::error_code ec;
    std::filesystem::remove_all(FPath, ec);
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void WriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit)
{
    QElapsedTimer t;
    t.start();
    while (!condition()) {
        if (t.elapsed() > limit.count())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        if (!condition())
            QThread::usleep(200);
    }
    return true;
}

void RunEventLoopFor(std::chrono::milliseconds time)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < time.count()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::usleep(200);
    }
}

void RunPendingEvents(int rounds)
{
    for (int i = 0; i < rounds; ++i) {
        // Shared: a marker that is late still has somewhere to write.
        auto delivered = std::make_shared<bool>(false);
        QMetaObject::invokeMethod(QCoreApplication::instance(), [delivered] { *delivered = true; },
                                  Qt::QueuedConnection);
        if (!WaitUntil([&] { return *delivered; }))
            throw std::runtime_error("a posted marker was not delivered");
    }
}
