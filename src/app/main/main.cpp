#include "app/Program.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Glimmerscout");
    TProgram program;
    program.form1.show();
    return QApplication::exec();
}
