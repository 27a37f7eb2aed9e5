#include "app/Application.h"

#include <gtest/gtest.h>

// Every test runs inside the program's own application object on the offscreen
// platform, so frames, forms and sockets behave as they do in the program,
// without a display.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Every whole-program test creates the main window, whose first tick
    // fetches the version file: point it at a closed loopback port so no
    // test reaches outside. A test that serves the file sets its own.
    if (qEnvironmentVariableIsEmpty("TOLVEX_UPDATE_URL"))
        qputenv("TOLVEX_UPDATE_URL", "http://127.0.0.1:1/Tolvex_Version.txt");
    TApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
