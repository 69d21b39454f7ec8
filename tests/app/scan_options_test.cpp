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

TEST_F(ScanOptionsTest, NumbersAreReadFromTheirLeadingDigits) {
    EXPECT_EQ(OptionAsNumber("chkScanCookies", "1"), 1) << "a value never stored is the default";
    Store("chkScanCookies", " 2 days");
    EXPECT_EQ(OptionAsNumber("chkScanCookies", "1"), 2);
    Store("chkScanCookies", "True");
    EXPECT_EQ(OptionAsNumber("chkScanCookies", "1"), 0);
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
