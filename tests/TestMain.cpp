#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // Headless unless the caller chose a platform; this is the one place the
    // tests pick it, so ctest and a program run by hand behave the same.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
