#pragma once
#include <QApplication>

// The program's application object. What a handler lets escape ends up in
// its default error report: the failure's message in a message box, then
// back to the message loop, so one failure never ends the program.
class TApplication : public QApplication {
    Q_OBJECT
public:
    TApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // The default error report for the failure being handled; call it
    // inside a catch block. Never throws.
    static void ShowException() noexcept;
};
