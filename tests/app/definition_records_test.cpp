#include "engine/definition_records.h"

#include <gtest/gtest.h>

#include "foundation/folder_tokens.h"
#include "support/temporary_prefix.h"

namespace {

TEST(FileRecords, AreCutAtBarsThenAtEqualSigns) {
    const auto full = ParseFileRecord(" bad.exe = Bad Ware |[drive]Bad|Dialer|ignored");
    ASSERT_TRUE(full);
    EXPECT_EQ(full->itemName, " bad.exe ");
    EXPECT_EQ(full->threatName, " Bad Ware ") << "blanks around the threat name belong to it";
    EXPECT_EQ(full->folder, "[drive]Bad");
    EXPECT_EQ(full->extra, "Dialer");

    const auto moreFields = ParseFileRecord("a.exe=A=more|C:\\A");
    ASSERT_TRUE(moreFields);
    EXPECT_EQ(moreFields->threatName, "A");
    EXPECT_EQ(moreFields->extra, std::nullopt);

    const auto noBar = ParseFileRecord("C:\\x.exe=X");
    ASSERT_TRUE(noBar);
    EXPECT_EQ(noBar->itemName, "C:\\x.exe");
    EXPECT_EQ(noBar->folder, "");

    EXPECT_EQ(ParseFileRecord("a.exe=A|C:\\A|")->extra, "");
    // Without "=" a record names no threat.
    EXPECT_FALSE(ParseFileRecord("a.exe|C:\\A"));
    EXPECT_FALSE(ParseFileRecord(""));
}

TEST(FileRecords, NameTheirTargetOnThisMachine) {
    test_support::TemporaryMachine machine;
    FolderTokenExpander tokens;
    const std::string programFiles = ExpandRecordFolder("[drive]Program Files\\X", tokens);
    EXPECT_EQ(programFiles, "C:\\Program Files\\X");
    // A token's folder ends in "\", so a doubled separator after it becomes one.
    EXPECT_EQ(ExpandRecordFolder("[WINDIR]\\system32", tokens), "C:\\windows\\system32");
    EXPECT_EQ(ExpandRecordFolder("[Drive]X", tokens), "[Drive]X") << "[drive] is matched exactly";

    FileRecord record{"  bad.exe ", "Bad", "", std::nullopt};
    EXPECT_EQ(FileRecordTarget(record, programFiles), "C:\\Program Files\\X\\bad.exe");
    EXPECT_EQ(FileRecordTarget(record, "C:\\"), "C:\\bad.exe");
    EXPECT_EQ(FileRecordTarget(record, ""), "bad.exe") << "a bare name stays relative";

    record.itemName = "\tSpy\r\nFolder\n";
    EXPECT_EQ(FolderRecordLabel(record), "SpyFolder");
}

}  // namespace
