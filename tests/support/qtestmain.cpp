// The GoogleTest main for widget suites: one QApplication for the whole binary, made before any
// test builds a widget.
#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char *argv[])
{
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
