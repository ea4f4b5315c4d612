#include "support/ScratchHome.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    const tollenvane::test::ScratchHome home;
    return RUN_ALL_TESTS();
}
