#include "cli/CliApplication.h"

#include <exception>
#include <iostream>

bool TCliApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QCoreApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        std::cerr << "glimmerscout: " << e.what() << "\n" << std::flush;
    } catch (...) {
        std::cerr << "glimmerscout: Unknown failure\n" << std::flush;
    }
    return false;
}
