#include "platform/version_block.h"

#include <gtest/gtest.h>

TEST(VersionBlock, CarriesTheBuildsIdentity) {
    const auto& block = platform::ProgramVersionBlock();
    EXPECT_FALSE(block.productName.empty());
    EXPECT_FALSE(block.companyName.empty());
    EXPECT_GE(block.major, 1);
}
