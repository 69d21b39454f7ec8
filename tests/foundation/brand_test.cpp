#include "foundation/brand.h"

#include <gtest/gtest.h>

#include <tuple>

#include "foundation/globals.h"

namespace {

class BrandTest : public ::testing::Test {
  protected:
    void SetUp() override { ResetFoundationGlobals(); }
    void TearDown() override { ResetFoundationGlobals(); }
};

}  // namespace

TEST_F(BrandTest, TakesTheNamesFromTheVersionBlock) {
    InitBrandSettingsFrom({"Product X", "Company Y", "x.example", 2, 10});
    EXPECT_EQ(gProgramName, "Product X");
    EXPECT_EQ(gCompanyName, "Company Y");
    EXPECT_EQ(gWebsite, "x.example");
    EXPECT_EQ(gProgramId, 21);
    EXPECT_FALSE(gUseSkin);
    EXPECT_TRUE(gUseSplashIcon);
    EXPECT_FALSE(gShowBanner);
    EXPECT_EQ(gBannerURL, "");
}

TEST_F(BrandTest, EmptyCommentsGiveAnEmptyWebsite) {
    InitBrandSettingsFrom({"Product X", "Company Y", "", 1, 0});
    EXPECT_EQ(gWebsite, "");
    EXPECT_EQ(gProgramName, "Product X");
}

TEST_F(BrandTest, RunningTwiceGivesTheSameValues) {
    InitBrandSettings();
    const auto first = std::make_tuple(gProgramName, gCompanyName, gWebsite, gProgramId, gUseSkin,
                                       gUseSplashIcon, gShowBanner, gBannerURL);
    InitBrandSettings();
    EXPECT_EQ(std::make_tuple(gProgramName, gCompanyName, gWebsite, gProgramId, gUseSkin,
                              gUseSplashIcon, gShowBanner, gBannerURL),
              first);
    EXPECT_EQ(gProgramName, platform::ProgramVersionBlock().productName);
    EXPECT_EQ(gWebsite, platform::ProgramVersionBlock().comments);
}
