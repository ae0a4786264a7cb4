#include <gtest/gtest.h>

#include <QCoreApplication>

// The adapters need a Qt application (devices, event dispatcher); the tests run without windows.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
