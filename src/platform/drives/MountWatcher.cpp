#include "platform/drives/MountWatcher.h"

#include <QSocketNotifier>
#include <fcntl.h>
#include <unistd.h>

TMountWatcher::TMountWatcher(std::function<void()> onChange, QObject* parent) : QObject(parent)
{
    FFile = open("/proc/self/mountinfo", O_RDONLY | O_CLOEXEC);
    if (FFile < 0)
        return;
    FNotifier = new QSocketNotifier(FFile, QSocketNotifier::Exception, this);
    connect(FNotifier, &QSocketNotifier::activated, this, [onChange = std::move(onChange)] { onChange(); });
}

TMountWatcher::~TMountWatcher()
{
    delete FNotifier;
    if (FFile >= 0)
        close(FFile);
}
