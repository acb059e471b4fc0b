#include "app/Program.h"

#include "platform/ui/Application.h"

int main(int argc, char** argv)
{
    TApplication app(argc, argv);
    QApplication::setApplicationName("Glimmerscout");
    TProgram program;
    program.form1.show();
    return QApplication::exec();
}
