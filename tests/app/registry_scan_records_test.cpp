#include <gtest/gtest.h>

#include "engine/definition_records.h"
#include "foundation/folder_tokens.h"
#include "support/temporary_prefix.h"

namespace {

class RegistryRecordTest : public ::testing::Test {
  protected:
    std::optional<RegistryRecord> Parse(std::string_view line) {
        return ParseRegistryRecord(line, tokens_);
    }

  private:
    test_support::TemporaryMachine machine_;
    FolderTokenExpander tokens_{machine_.machine()};
};

TEST_F(RegistryRecordTest, CutsAtTheLastEqualsSign) {
    const auto record = Parse("2^Software\\A=B^Val=ue^ignored=  Threat |About it| more  ");
    ASSERT_TRUE(record);
    EXPECT_EQ(record->keyPath, "Software\\A=B");
    EXPECT_EQ(record->valueName, "Val=ue");
    EXPECT_EQ(record->threatName, "Threat ");
    EXPECT_EQ(record->description, "About it");
}

TEST_F(RegistryRecordTest, ExpandsTheDriveAndFolderTokens) {
    const auto record = Parse("2^[drive]x\\[Drive]^[windir]y.exe=T");
    ASSERT_TRUE(record);
    EXPECT_EQ(record->keyPath, "C:\\x\\[Drive]");  // only "[drive]" in exact case
    EXPECT_EQ(record->valueName, "C:\\windows\\y.exe");
}

TEST_F(RegistryRecordTest, SkipsLinesThatHoldNoRecord) {
    EXPECT_FALSE(Parse("1^Software\\X^Run"));       // no "="
    EXPECT_FALSE(Parse("1^Software\\X=Threat"));    // no value-name field
    EXPECT_FALSE(Parse("  ^Software\\X^Run=Foo"));  // blank root code
    EXPECT_FALSE(Parse(""));
}

}  // namespace
