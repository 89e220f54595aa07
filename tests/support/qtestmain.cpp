// The GoogleTest main for widget suites: the one QApplication of the binary is made before any
// test builds a widget.
#include "tests/support/outcome.h"
#include "tests/support/qtapp.h"

#include <gtest/gtest.h>

int main(int argc, char *argv[])
{
    ::testing::InitGoogleTest(&argc, argv);
    pomiro::testing::application();
    return pomiro::testing::runAllTests();
}
