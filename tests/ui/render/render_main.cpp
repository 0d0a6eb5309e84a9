#include "tests/ui/render/render_fixture.h"

// gtest_main runs the tests; this registers the back-end around them.
static ::testing::Environment* const kBackEnd =
    ::testing::AddGlobalTestEnvironment(new vgtest::GdiPlusBackEnd);
