#include "platform/ui/Application.h"

#include "platform/ui/Dialogs.h"

#include <exception>
#include <string>

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ShowException();
        return false;
    }
}

void TApplication::ShowException() noexcept
{
    std::string message = "Unknown failure";
    try {
        throw;
    } catch (const std::exception& e) {
        message = e.what();
    } catch (...) {
    }
    try {
        Dialogs::ShowError(message);
    } catch (...) {
        // nothing is left to tell the user with
    }
}
