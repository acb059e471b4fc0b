#include "app/Program.h"
#include "cli/CliMain.h"
#include "cli/CliOptions.h"

#include "platform/ui/Application.h"

int main(int argc, char** argv)
{
    // Arguments mean the search without a window: no widget, no display.
    if (WantsCommandLine(argc, DisplayNamed()))
        return RunCommandLine(argc, argv);
    TApplication app(argc, argv);
    QApplication::setApplicationName("Glimmerscout");
    QGuiApplication::setDesktopFileName("com.glimmerscout.Glimmerscout"); // its desktop entry
    TProgram program;
    program.form1.show();
    return QApplication::exec();
}
