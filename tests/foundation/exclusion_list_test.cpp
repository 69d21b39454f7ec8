#include "foundation/exclusion_list.h"

#include <gtest/gtest.h>

#include "foundation/globals.h"
#include "support/forms_fixture.h"
#include "support/temporary_prefix.h"
#include "support/temporary_program_folder.h"

namespace fs = std::filesystem;
using test_support::ReadHostFileOrEmpty;

namespace {

class ExclusionListTest : public FormsTest {
  protected:
    ExclusionListTest() { ResetFoundationGlobals(); }
    ~ExclusionListTest() override { ResetFoundationGlobals(); }

    fs::path ExclusionFile() const { return program_.path() / "ENoSignature.txt"; }
    void WriteExclusions(std::string_view bytes) {
        program_.WriteFile("ENoSignature.txt", bytes);
        LoadExclusions();
    }

    test_support::TemporaryMachine machine_;
    test_support::TemporaryProgramFolder program_;
};

TEST_F(ExclusionListTest, BlankLinesAreLeftOutAndEntriesKeepTheirBlanks) {
    WriteExclusions("a.exe\r\n   \r\n  b.exe \r\n");
    EXPECT_EQ(gExclusionList, "a.exe|  b.exe |");
    EXPECT_TRUE(IsExcluded("A.EXE"));
    EXPECT_TRUE(IsExcluded("  a.exe  "));  // the item is trimmed
    EXPECT_FALSE(IsExcluded("b.exe"));     // the entry is not
    EXPECT_TRUE(IsExcluded("  b.exe "));
    EXPECT_FALSE(IsExcluded("a.ex"));
}

TEST_F(ExclusionListTest, AnEmptyItemMatchesOnlyANonEmptyList) {
    LoadExclusions();  // no file
    EXPECT_EQ(gExclusionList, "");
    EXPECT_FALSE(IsExcluded(""));
    EXPECT_FALSE(IsExcludedPath(""));

    WriteExclusions("a.exe\r\n");
    EXPECT_TRUE(IsExcluded(""));
    EXPECT_TRUE(IsExcludedPath(""));
}

TEST_F(ExclusionListTest, APathInsideAnEntryCountsAsExcluded) {
    WriteExclusions("C:\\Program Files\\Foo\\Bar\r\n");
    EXPECT_TRUE(IsExcludedPath("c:\\program files\\foo"));
    EXPECT_FALSE(IsExcluded("c:\\program files\\foo"));
    EXPECT_TRUE(IsExcludedPath("C:\\PROGRAM FILES\\FOO\\BAR"));

    WriteExclusions("C:\\Program Files\\Foo\r\n");
    EXPECT_FALSE(IsExcludedPath("C:\\Program Files\\Foo\\Bar\\x"));
}

TEST_F(ExclusionListTest, EightBitTextIsComparedWithoutCase) {
    WriteExclusions("Caf\xE9.exe\r\n");
    EXPECT_TRUE(IsExcluded("CAF\xC3\x89.EXE"));
}

TEST_F(ExclusionListTest, AddingAppendsTheTrimmedItemAndReloads) {
    EXPECT_TRUE(AddExclusion("  C:\\Bad\\one.exe "));
    EXPECT_EQ(ReadHostFileOrEmpty(ExclusionFile()), "C:\\Bad\\one.exe\r\n");
    EXPECT_TRUE(IsExcluded("c:\\bad\\one.exe"));

    // A last line without a line end (an edit by hand) stays a line of its own.
    program_.WriteFile("ENoSignature.txt", "typed.exe");
    EXPECT_TRUE(AddExclusion("tracker.example"));
    EXPECT_EQ(ReadHostFileOrEmpty(ExclusionFile()), "typed.exe\r\ntracker.example\r\n");
    EXPECT_EQ(gExclusionList, "typed.exe|tracker.example|");
}

TEST_F(ExclusionListTest, AnItemThatCannotBeWrittenIsReportedAndChangesNothing) {
    WriteExclusions("kept.exe\r\n");
    fs::permissions(ExclusionFile(), fs::perms::owner_write, fs::perm_options::remove);
    EXPECT_FALSE(AddExclusion("new.exe"));
    EXPECT_EQ(ReadHostFileOrEmpty(ExclusionFile()), "kept.exe\r\n");
    EXPECT_EQ(gExclusionList, "kept.exe|");

    fs::remove(ExclusionFile());
    fs::create_directory(ExclusionFile());  // a folder in the file's place
    EXPECT_FALSE(AddExclusion("new.exe"));
}

}  // namespace
