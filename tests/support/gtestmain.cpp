// The GoogleTest main for suites without widgets: GoogleTest's own, but with an exit status that
// tells CTest about skipped cases (outcome.h).
#include "tests/support/outcome.h"

int main(int argc, char *argv[])
{
    ::testing::InitGoogleTest(&argc, argv);
    return pomiro::testing::runAllTests();
}
