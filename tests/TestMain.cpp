#include "app/Application.h"

#include <gtest/gtest.h>

// Every test runs inside the program's own application object on the offscreen
// platform, so frames, forms and sockets behave as they do in the program,
// without a display.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
