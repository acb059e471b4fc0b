#include "platform/ui/Shell.h"

#include "platform/AnsiText.h"

#include <QDesktopServices>
#include <QUrl>

namespace {
std::function<bool(const std::string&)>& Opener()
{
    static std::function<bool(const std::string&)> opener;
    return opener;
}
}

void SetShellOpener(std::function<bool(const std::string&)> opener) { Opener() = std::move(opener); }

bool ShellOpen(const std::string& address)
{
    if (Opener())
        return Opener()(address);
    return QDesktopServices::openUrl(QUrl(ToQt(address)));
}
