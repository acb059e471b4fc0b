#include "cli/SignalPipe.h"

#include <cerrno>
#include <fcntl.h>
#include <stdexcept>
#include <unistd.h>

namespace {

volatile sig_atomic_t WriteEnd = -1;

void Handler(int signal)
{
    const int saved = errno;
    const char number = static_cast<char>(signal);
    (void)!::write(WriteEnd, &number, 1); // a full pipe already holds a signal to act on
    errno = saved;
}

} // namespace

TSignalPipe::TSignalPipe(std::function<void(int)> onSignal) : FOnSignal(std::move(onSignal))
{
    if (::pipe2(FPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        throw std::runtime_error("cannot make the signal pipe");
    WriteEnd = FPipe[1];
    FNotifier = std::make_unique<QSocketNotifier>(FPipe[0], QSocketNotifier::Read);
    QObject::connect(FNotifier.get(), &QSocketNotifier::activated, FNotifier.get(), [this] { Read(); });
    struct sigaction action {};
    action.sa_handler = Handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGINT, &action, &FOldInt);
    ::sigaction(SIGTERM, &action, &FOldTerm);
}

TSignalPipe::~TSignalPipe()
{
    ::sigaction(SIGINT, &FOldInt, nullptr);
    ::sigaction(SIGTERM, &FOldTerm, nullptr);
    WriteEnd = -1;
    FNotifier.reset();
    ::close(FPipe[0]);
    ::close(FPipe[1]);
}

void TSignalPipe::Read()
{
    char numbers[16];
    const ssize_t n = ::read(FPipe[0], numbers, sizeof numbers);
    for (ssize_t i = 0; i < n; ++i)
        FOnSignal(numbers[i]);
}
