// The main of the in-process GUI tests: one application object for the whole program, on the
// offscreen platform unless a platform was chosen, so that listing the tests needs no display.
#include "platform/application.h"

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    platform::Application app(argc, argv);
    return RUN_ALL_TESTS();
}
