#include "foundation/definition_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "foundation/globals.h"
#include "foundation/line_codec.h"
#include "foundation/program_error.h"
#include "platform/text_encoding.h"
#include "support/temporary_program_folder.h"

namespace fs = std::filesystem;
using test_support::ReadHostFileOrEmpty;
using test_support::TemporaryProgramFolder;

namespace {

// Lines as a definition file stores them: each encoded, CR LF after each.
std::string Encoded(std::initializer_list<std::string_view> lines) {
    std::string bytes;
    for (const auto line : lines) {
        bytes += platform::Utf8ToWindows1252(EncodeLine(line)) + "\r\n";
    }
    return bytes;
}

std::string Lines(int count, bool finalLineEnd = true) {
    std::string bytes;
    for (int i = 0; i < count; ++i) {
        bytes += "x" + std::to_string(i) + (i + 1 < count || finalLineEnd ? "\r\n" : "");
    }
    return bytes;
}

class DefinitionFilesTest : public ::testing::Test {
  protected:
    void SetUp() override { ResetFoundationGlobals(); }

    fs::path File(std::string_view name) const { return program.path() / name; }

    TemporaryProgramFolder program;
};

TEST_F(DefinitionFilesTest, CountsLinesPerFileIntoTheFourCounters) {
    program.WriteFile("BlockedCookies.dat", Lines(3));
    program.WriteFile("ExeDefinition.dat", "");
    program.WriteFile("FileDefinition.dat", Lines(10, false));  // no final line end
    // Empty lines count too; a bare LF (the codec's "É") is part of its line.
    program.WriteFile("DirectoryDefinition.dat", "a\r\n\r\n\r\nb\nc");
    program.WriteFile("Safety.dat", Lines(7));

    EXPECT_EQ(CountDefinitions(), 17);
    EXPECT_EQ(gCookieDefCount, 3);
    EXPECT_EQ(gExeDefCount, 0);
    EXPECT_EQ(gRegistryDefCount, 0);  // missing
    EXPECT_EQ(gFileDefCount, 14);

    // Counting again starts from zero.
    fs::remove(File("FileDefinition.dat"));
    EXPECT_EQ(CountDefinitions(), 7);
    EXPECT_EQ(gFileDefCount, 4);
}

TEST_F(DefinitionFilesTest, ReadsDecodedLinesAndNothingOfAMissingFile) {
    program.WriteFile("RegistryDefinition.dat",
                      Encoded({"2^Software\\Bad^Run=x=Bad Thing|a description", ""}));
    EXPECT_EQ(ReadDefinitionLines(kRegistryDefinitionFile),
              (std::vector<std::string>{"2^Software\\Bad^Run=x=Bad Thing|a description", ""}));
    EXPECT_TRUE(ReadDefinitionLines(kExeDefinitionFile).empty());
}

TEST_F(DefinitionFilesTest, StagedCopiesReplaceTheFilesTheyStandFor) {
    program.WriteFile("ExeDefinition.dat", Encoded({"old.exe=Old|[windir]"}));
    program.WriteFile("DLExeDefinition.dat", Encoded({"new.exe=New|[windir]"}));
    program.WriteFile("DLFileDefinition.dat", Encoded({"a.dll=A|[system]"}));
    program.WriteFile("DirectoryDefinition.dat", "kept\r\n");
    program.WriteFile("DLDirectoryDefinition.dat", "never staged\r\n");

    InstallDownloadedDefinitions();

    EXPECT_EQ(ReadDefinitionLines(kExeDefinitionFile),
              std::vector<std::string>{"new.exe=New|[windir]"});
    EXPECT_EQ(ReadDefinitionLines(kFileDefinitionFile),
              std::vector<std::string>{"a.dll=A|[system]"});
    EXPECT_FALSE(fs::exists(File("DLExeDefinition.dat")));
    EXPECT_FALSE(fs::exists(File("DLFileDefinition.dat")));
    EXPECT_EQ(ReadHostFileOrEmpty(File("DirectoryDefinition.dat")), "kept\r\n");
    EXPECT_EQ(ReadHostFileOrEmpty(File("DLDirectoryDefinition.dat")), "never staged\r\n");
}

TEST_F(DefinitionFilesTest, AStagedCopyThatCannotBePutInPlaceWaitsWithTheOldFileIntact) {
    const auto target = program.WriteFile("RegistryDefinition.dat", "old\r\n");
    program.WriteFile("DLRegistryDefinition.dat", "new\r\n");
    ::chmod(target.c_str(), 0444);

    InstallDownloadedDefinitions();

    EXPECT_EQ(ReadHostFileOrEmpty(target), "old\r\n");
    EXPECT_EQ(ReadHostFileOrEmpty(File("DLRegistryDefinition.dat")), "new\r\n");

    // Next start, the file writable again: the staged copy goes in.
    ::chmod(target.c_str(), 0644);
    InstallDownloadedDefinitions();
    EXPECT_EQ(ReadHostFileOrEmpty(target), "new\r\n");
    EXPECT_FALSE(fs::exists(File("DLRegistryDefinition.dat")));
}

TEST_F(DefinitionFilesTest, TheDateIsOneLineWithABuiltInDefault) {
    EXPECT_EQ(LoadDefinitionsDate(), "3/16/2006 12:00:00 AM");

    SaveDefinitionsDate("4/1/2024 3:05:00 PM");
    EXPECT_EQ(ReadHostFileOrEmpty(File("date.dat")), "4/1/2024 3:05:00 PM\r\n");
    SaveDefinitionsDate("5/2/2024");
    EXPECT_EQ(ReadHostFileOrEmpty(File("date.dat")), "5/2/2024\r\n");
    EXPECT_EQ(LoadDefinitionsDate(), "5/2/2024");

    // Only the first line counts; the text is not checked as a date.
    program.WriteFile("date.dat", "not a date\nsecond\n");
    EXPECT_EQ(LoadDefinitionsDate(), "not a date");
}

TEST_F(DefinitionFilesTest, AFailedDateWriteKeepsTheOldDate) {
    const auto date = program.WriteFile("date.dat", "1/2/2020\r\n");
    ::chmod(date.c_str(), 0444);
    SaveDefinitionsDate("5/2/2024");
    EXPECT_EQ(LoadDefinitionsDate(), "1/2/2020");
}

TEST_F(DefinitionFilesTest, ADateFileWithoutALineIsAFailureForTheCaller) {
    program.WriteFile("date.dat", "");
    try {
        LoadDefinitionsDate();
        FAIL() << "an empty date.dat gave a date";
    } catch (const ProgramError& error) {
        EXPECT_EQ(error.number(), kErrorInputPastEndOfFile);
        EXPECT_EQ(error.source(), "LoadDefinitionsDate");
    }
}

}  // namespace
