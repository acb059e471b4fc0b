#pragma once
#include <QCoreApplication>

// The application object of the search without a window. What a handler lets
// escape is reported on standard error and the event loop goes on, so one
// failure never ends the search (the window shows it in a message box).
class TCliApplication : public QCoreApplication {
    Q_OBJECT
public:
    TCliApplication(int& argc, char** argv) : QCoreApplication(argc, argv) {}

    bool notify(QObject* receiver, QEvent* event) override;
};
