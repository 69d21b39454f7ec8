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

TEST_F(RegistryRecordTest, TakesAValueRecordApart) {
    const auto record = Parse("1^Software\\X^Run=Foo|Bar");
    ASSERT_TRUE(record);
    EXPECT_EQ(record->rootCode, "1");
    EXPECT_EQ(record->keyPath, "Software\\X");
    EXPECT_EQ(record->valueName, "Run");
    EXPECT_EQ(record->threatName, "Foo");
    EXPECT_EQ(record->description, "Bar");
    EXPECT_FALSE(record->IsKeyRecord());
}

TEST_F(RegistryRecordTest, CutsAtTheLastEqualsSign) {
    const auto record = Parse("2^Software\\A=B^Val=ue^ignored=  Threat |About it| more  ");
    ASSERT_TRUE(record);
    EXPECT_EQ(record->keyPath, "Software\\A=B");
    EXPECT_EQ(record->valueName, "Val=ue");
    EXPECT_EQ(record->threatName, "Threat ");
    EXPECT_EQ(record->description, "About it");
}

TEST_F(RegistryRecordTest, HalvesDoubledBackslashesOfValueNamesOnly) {
    const auto record = Parse("2^Software\\\\Shared^C:\\\\Windows\\\\x.dll=Shared");
    ASSERT_TRUE(record);
    EXPECT_EQ(record->keyPath, "Software\\\\Shared");
    EXPECT_EQ(record->valueName, "C:\\Windows\\x.dll");
}

TEST_F(RegistryRecordTest, AnEmptyValueNameMakesAKeyRecord) {
    const auto record = Parse("2^Software\\Bad^=");
    ASSERT_TRUE(record);
    EXPECT_TRUE(record->IsKeyRecord());
    EXPECT_EQ(record->threatName, "");
    EXPECT_EQ(record->description, "");
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
