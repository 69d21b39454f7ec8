// The definitions the program ships with, as the build encodes them, in a real scan.
#include <gtest/gtest.h>

#include <filesystem>

#include "foundation/definition_files.h"
#include "foundation/globals.h"
#include "foundation/settings_store.h"
#include "scan_fixture.h"

namespace {

class SampleDefinitionsTest : public ScanTest {
  protected:
    SampleDefinitionsTest() {
        for (const std::string_view name :
             {kExeDefinitionFile, kFileDefinitionFile, kDirectoryDefinitionFile,
              kRegistryDefinitionFile, kBlockedCookiesFile, kSafetyFile}) {
            std::filesystem::copy_file(std::filesystem::path(TOLLENWARK_SAMPLE_DEFINITIONS) / name,
                                       program.path() / name);
        }
        for (const char* key : {"chkScanCookies", "chkSweepMemory", "chkScanRegistry"}) {
            SaveSetting(gProgramName, "OptionAndSettings", key, "0");
        }
    }
};

TEST_F(SampleDefinitionsTest, FindTheFilesAndFoldersTheyName) {
    machine.prefix().WriteFile("Program Files/PingBeacon/pbhook.dll", "x");
    machine.prefix().WriteFile("SearchSwap/searchswap.exe", "x");
    gDefinitionsTotal = CountDefinitions();
    Main().cmdScanNow.Click();

    EXPECT_EQ(RowTexts(Main().lvwPicRemoveListOfSpywareFoundAndToBeRemoved),
              (std::vector<std::string>{"PingBeacon Tracker", "SearchSwap Hijacker"}));
    EXPECT_EQ(RowTexts(Main().lvwFilesToBeDeleted),
              (std::vector<std::string>{"C:\\Program Files\\PingBeacon\\pbhook.dll",
                                        "C:\\SearchSwap\\searchswap.exe",
                                        "C:\\Program Files\\PingBeacon", "C:\\SearchSwap"}));
}

}  // namespace
