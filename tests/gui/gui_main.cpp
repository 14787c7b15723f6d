// The GUI suites share one Qt application, set up as the program sets up its own.

#include "platform/application.h"
#include "platform/float_env.h"

#include <QByteArray>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    LoadFloatingPointEnvironment();
    // Headless always, also when CTest lists the tests (it sets no environment for that).
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    testing::InitGoogleTest(&argc, argv);
    TApplication Shared;
    Shared.Initialize();
    return RUN_ALL_TESTS();
}
