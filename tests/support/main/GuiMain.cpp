#ifdef GS_TEST_APPLICATION
#include "platform/ui/Application.h"
using TTestApplication = TApplication;
#else
#include <QApplication>
using TTestApplication = QApplication;
#endif
#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    setenv("GS_SOURCE_DIR", GS_SOURCE_DIR, 0);
    setenv("GS_BINARY_DIR", GS_BINARY_DIR, 0);
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    TTestApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
