#include <gtest/gtest.h>

#include "engine/option_settings.h"
#include "foundation/globals.h"
#include "foundation/settings_store.h"
#include "support/forms_fixture.h"

namespace {

class ScanOptionsTest : public FormsTest {
  protected:
    ScanOptionsTest() { gProgramName = "Options Test"; }
    ~ScanOptionsTest() override { ResetFoundationGlobals(); }

    void Store(const char* key, const char* value) {
        SaveSetting(gProgramName, "OptionAndSettings", key, value);
    }
};

TEST_F(ScanOptionsTest, CheckStatesAreZeroOrOneAndOtherTextIsTheDefault) {
    EXPECT_EQ(OptionCheckState("chkScanCookies", 1), 1) << "a value never stored is the default";
    Store("chkScanCookies", " 0 ");
    EXPECT_EQ(OptionCheckState("chkScanCookies", 1), 0);
    Store("chkScanCookies", "false");
    EXPECT_EQ(OptionCheckState("chkScanCookies", 1), 0) << "a flag word";
    for (const char* unreadable : {" 2 days", "1x", "2", "yes"}) {
        Store("chkScanCookies", unreadable);
        EXPECT_EQ(OptionCheckState("chkScanCookies", 1), 1) << unreadable;
    }
}

TEST_F(ScanOptionsTest, FlagsAreWordsOrNumbersAndOtherTextIsTheDefault) {
    EXPECT_TRUE(OptionAsFlag("chkSweepMemory", "True"));
    Store("chkSweepMemory", "false");
    EXPECT_FALSE(OptionAsFlag("chkSweepMemory", "True"));
    Store("chkSweepMemory", "-1");
    EXPECT_TRUE(OptionAsFlag("chkSweepMemory", "False"));
    Store("chkSweepMemory", "0");
    EXPECT_FALSE(OptionAsFlag("chkSweepMemory", "True"));
    Store("chkSweepMemory", "maybe");
    EXPECT_TRUE(OptionAsFlag("chkSweepMemory", "True"));
    EXPECT_FALSE(OptionAsFlag("chkSweepMemory", "False"));
}

}  // namespace
