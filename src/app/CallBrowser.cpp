#include "app/CallBrowser.h"

#include "platform/CatchAll.h"
#include "platform/ProgramIdentity.h"
#include "platform/ui/Shell.h"

const char* const HomePageAddress = ProgramHomePage;

std::string TellAFriendLink()
{
    return std::string("mailto:?subject=Check out Glimmerscout!&body=The easiest way to find images on the net. "
                       "It's freeware! You can download it from ")
           + HomePageAddress;
}

void CallBrowser(const std::string& url)
{
    CatchAll("error code : #0037 (CallBrowser)", [&] { ShellOpen(url); });
}
