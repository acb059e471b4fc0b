#include "app/Form1.h"
#include "app/Form2.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Glimmerscout");

    // One instance of each window for the whole run; the main window first.
    TForm1 form1;
    Form1 = &form1;
    TForm2 form2;
    Form2 = &form2;

    form1.show();
    return QApplication::exec();
}
