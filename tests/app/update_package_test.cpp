#include "update/update_package.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "foundation/definition_files.h"
#include "foundation/line_codec.h"
#include "platform/text_encoding.h"
#include "support/temporary_folder.h"
#include "support/temporary_program_folder.h"

namespace fs = std::filesystem;
using test_support::ReadHostFileOrEmpty;
using Lines = std::vector<std::string>;

namespace {

// A package record as the server sends it: the kind encoded, the operation plain.
std::string Record(std::string_view kind, std::string_view operation, std::string_view definition) {
    return EncodeLine(kind) + "|" + std::string(operation) + "[DEF]" + std::string(definition);
}

// A definition "name=threat|folder" in the package's form: encoded, separators plain.
std::string Definition(std::string_view name, std::string_view threat, std::string_view folder) {
    return EncodeLine(name) + "=" + EncodeLine(threat) + "|" + EncodeLine(folder);
}

std::string Package(std::initializer_list<std::string> records) {
    std::string package;
    for (const auto& record : records) {
        package += (package.empty() ? "" : "[BR]") + record;
    }
    return package;
}

class UpdatePackageTest : public ::testing::Test {
  protected:
    fs::path File(std::string_view name) const { return program.path() / name; }

    // Writes a definition file holding these lines, each ended by CR LF: encoded, except the empty
    // and single-blank lines that files hold as they are.
    void WriteDefinitions(std::string_view name, const Lines& lines) const {
        program.WriteFile(name, Encoded(lines));
    }

    static std::string Encoded(const Lines& lines) {
        std::string bytes;
        for (const auto& line : lines) {
            bytes += (line.empty() || line == " " ? line
                                                  : platform::Utf8ToWindows1252(EncodeLine(line))) +
                     "\r\n";
        }
        return bytes;
    }

    std::int32_t Apply(const std::string& package) {
        return Apply(package, [this](const std::string& text) { statuses.push_back(text); });
    }
    // The package planned and applied as the definitions check applies it: the number of changes,
    // or 0 when it could not be applied (every file as it was).
    static std::int32_t Apply(const std::string& package, const UpdateStatus& showStatus) {
        const auto records = ParseDefinitionUpdate(package);
        std::optional<DefinitionUpdatePlan> plan = PlanDefinitionUpdate(records, showStatus);
        return plan && ApplyPlannedUpdate(records, *plan, std::nullopt, showStatus) ==
                           DefinitionSetResult::Replaced
                   ? plan->changes()
                   : 0;
    }

    void MakeReadOnly(std::string_view name) const {
        fs::permissions(File(name), fs::perms::owner_write, fs::perm_options::remove);
    }

    test_support::TemporaryProgramFolder program;
    Lines statuses;
};

TEST_F(UpdatePackageTest, AddsEachKindToItsFilesInTheirEncodedForm) {
    const std::string package = Package({
        Record("EXE", "ADD", Definition("evil.exe", "Evil", "[windir]")),
        Record("DIR", "ADD", Definition("x", "Evil", "[appdata]\\Evil")),
        Record("SEXE", "ADD", Definition("good.exe", "x", "C:\\Tools")),
        Record("REG", "ADD",
               EncodeLine("unused") + "=" + EncodeLine("Evil") + "|" +
                   EncodeLine("2^Software\\Evil") + "|" + EncodeLine("its key")),
        Record("COOK", "ADD", EncodeLine("tracker.example") + "=" + EncodeLine("anything")),
    });

    EXPECT_EQ(Apply(package), 6) << "the program record counts once for each of its two files";
    EXPECT_EQ(ReadDefinitionLines(kFileDefinitionFile), Lines{"evil.exe=Evil|[windir]"});
    EXPECT_EQ(ReadDefinitionLines(kExeDefinitionFile), Lines{"evil.exe=Evil|[windir]"});
    EXPECT_EQ(ReadDefinitionLines(kDirectoryDefinitionFile), Lines{"x=Evil|[appdata]\\Evil"});
    EXPECT_EQ(ReadDefinitionLines(kSafetyFile), Lines{"SEXE|good.exe=x|C:\\Tools"});
    EXPECT_EQ(ReadDefinitionLines(kRegistryDefinitionFile),
              Lines{"2^Software\\Evil^=Evil|its key"});
    EXPECT_EQ(ReadDefinitionLines(kBlockedCookiesFile), Lines{"tracker.example"});
}

TEST_F(UpdatePackageTest, IgnoresUnknownKindsAndOperationsButCreatesMissingFiles) {
    const std::string package = Package({
        Record("ZIP", "ADD", Definition("a", "b", "c")),
        Record("FILE", "MOVE", Definition("a", "b", "c")),
    });

    EXPECT_EQ(Apply(package), 0);
    for (const auto name : kUpdatedDefinitionFiles) {
        EXPECT_TRUE(fs::exists(File(name))) << name;
        EXPECT_EQ(ReadHostFileOrEmpty(File(name)), "") << name;
    }
    EXPECT_EQ(Apply(""), 0);
}

TEST_F(UpdatePackageTest, ReadsRecordsSeparatedInAnyCaseWithLineBreaksAround) {
    const std::string package = "\r\n" + Record("FILE", "ADD", Definition("a", "A", "x")) +
                                "\r\n[br]\r\n  " +
                                Record("FILE", "ADD", Definition("b", "B", "y")) + "  [Br]  [BR]";

    EXPECT_EQ(Apply(package), 2);
    EXPECT_EQ(ReadDefinitionLines(kFileDefinitionFile), (Lines{"a=A|x", "b=B|y"}));
}

TEST_F(UpdatePackageTest, DeletesTheLinesOfEveryQueuedKeyInOneRewrite) {
    WriteDefinitions(kFileDefinitionFile,
                     {"one.exe=One|x", "", "two.exe=Two|y", " ", "three.exe=Three|z"});
    const std::string package = Package({
        Record("FILE", "DEL", Definition("ONE.EXE", "One", "x")),  // keys match without case
        Record("FILE", "DEL", EncodeLine("three.exe")),            // a bare key is enough
    });

    EXPECT_EQ(Apply(package), 1) << "one change for the rewritten file, however many lines go";
    EXPECT_EQ(ReadDefinitionLines(kFileDefinitionFile), Lines{"two.exe=Two|y"})
        << "the rewrite drops the empty and single-blank lines too";
}

TEST_F(UpdatePackageTest, AnAddTakesBackAnEarlierDeletionOfItsKeyButNotALaterOne) {
    WriteDefinitions(kFileDefinitionFile, {"a.exe=Old|x", "b.exe=Old|y"});
    const std::string package = Package({
        Record("FILE", "DEL", Definition("a.exe", "Old", "x")),
        Record("FILE", "ADD", Definition("A.exe", "New", "z")),
        Record("FILE", "ADD", Definition("b.exe", "New", "z")),
        Record("FILE", "DEL", Definition("b.exe", "Old", "y")),
    });

    EXPECT_EQ(Apply(package), 3);
    EXPECT_EQ(ReadDefinitionLines(kFileDefinitionFile), (Lines{"a.exe=Old|x", "A.exe=New|z"}))
        << "a later deletion takes the added line of its key as well";
}

// An update cut short between two files applies its package again to the files already done.
TEST_F(UpdatePackageTest, APackageAppliedAgainAddsNoLineTwiceButCountsItsChangesAgain) {
    WriteDefinitions(kFileDefinitionFile, {"a.exe=Old|x", "b.exe=B|y", "gone.exe=G|z"});
    const std::string package = Package({
        Record("FILE", "ADD", Definition("a.exe", "New", "x")),  // differs: added beside the old
        Record("FILE", "ADD", Definition("B.EXE", "B", "y")),    // differs in case only: added
        Record("FILE", "DEL", EncodeLine("gone.exe")),
        Record("EXE", "ADD", Definition("evil.exe", "Evil", "[windir]")),
        Record("REG", "ADD",
               EncodeLine("unused") + "=" + EncodeLine("Evil") + "|" +
                   EncodeLine("2^Software\\Evil") + "|" + EncodeLine("its key")),
        Record("COOK", "ADD", EncodeLine("tracker.example")),
        Record("SEXE", "ADD", Definition("good.exe", "x", "C:\\Tools")),
    });
    const Lines fileLines = {"a.exe=Old|x", "b.exe=B|y", "a.exe=New|x", "B.EXE=B|y",
                             "evil.exe=Evil|[windir]"};

    const std::int32_t changes = Apply(package);
    EXPECT_EQ(ReadDefinitionLines(kFileDefinitionFile), fileLines);
    std::vector<std::string> once;
    for (const auto name : kUpdatedDefinitionFiles) {
        once.push_back(ReadHostFileOrEmpty(File(name)));
    }

    EXPECT_EQ(Apply(package), changes) << "so that the rerun stores the new date";
    for (std::size_t index = 0; index < once.size(); ++index) {
        EXPECT_EQ(ReadHostFileOrEmpty(File(kUpdatedDefinitionFiles[index])), once[index])
            << kUpdatedDefinitionFiles[index];
    }
}

// A record holding every byte value, among them the codec's bare LF ("É") and CR ("Ì"), is one
// line, and adding it again adds none.
TEST_F(UpdatePackageTest, ARecordHoldingEveryByteValueIsOneLineAddedOnce) {
    std::string name;
    for (int byte = 0; byte < 256; ++byte) {
        if (byte != '=' && byte != '|') {  // the plain separators, which the record holds too
            name += static_cast<char>(byte);
        }
    }
    const std::string package = platform::Windows1252ToUtf8(
        platform::Utf8ToWindows1252(EncodeLine("FILE") + "|ADD[DEF]") + name + "=" +
        platform::Utf8ToWindows1252(EncodeLine("Threat") + "|" + EncodeLine("x")));

    EXPECT_EQ(Apply(package), 1);
    const std::string once = ReadHostFileOrEmpty(File(kFileDefinitionFile));
    const Lines lines = ReadDefinitionLines(kFileDefinitionFile);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], DecodeLine(platform::Windows1252ToUtf8(name)) + "=Threat|x");
    EXPECT_EQ(Apply(package), 1);
    EXPECT_EQ(ReadHostFileOrEmpty(File(kFileDefinitionFile)), once);
}

TEST_F(UpdatePackageTest, AppendingKeepsBlankLinesAndNeverJoinsALastLineWithoutItsEnd) {
    const std::string lastLineWithoutEnd = Encoded({"a=A|x", "", " "}) + Encoded({"b=B|y"});
    program.WriteFile(kFileDefinitionFile,
                      lastLineWithoutEnd.substr(0, lastLineWithoutEnd.size() - 2));

    EXPECT_EQ(Apply(Record("FILE", "ADD", Definition("c", "C", "z"))), 1);
    EXPECT_EQ(ReadHostFileOrEmpty(File(kFileDefinitionFile)),
              Encoded({"a=A|x", "", " ", "b=B|y", "c=C|z"}));
}

TEST_F(UpdatePackageTest, ShowsItsProgressWithOneCountAcrossTheFiles) {
    Lines many;
    for (int i = 1; i <= 150; ++i) {
        many.push_back("f" + std::to_string(i) + "=x|y");
    }
    WriteDefinitions(kFileDefinitionFile, many);
    WriteDefinitions(kExeDefinitionFile, Lines(many.begin(), many.begin() + 60));
    const std::string package = Package({
        Record("FILE", "DEL", EncodeLine("f1")),
        Record("EXE", "DEL", EncodeLine("f2")),
    });

    EXPECT_EQ(Apply(package), 2);
    const Lines removing = {"Removing outdated definitions: checking entry 100",
                            "Removing outdated definitions: checking entry 50"};
    Lines seen;
    for (const auto& status : statuses) {
        if (status.rfind("Removing", 0) == 0) {
            seen.push_back(status);
        }
    }
    EXPECT_EQ(seen, removing);
    EXPECT_EQ(std::count(statuses.begin(), statuses.end(), "Applying new updates..."), 6);
    EXPECT_EQ(ReadDefinitionLines(kExeDefinitionFile).size(), 59u);
}

TEST_F(UpdatePackageTest, ARecordThatCannotBeAppliedChangesNoFile) {
    WriteDefinitions(kFileDefinitionFile, {"a=A|x"});
    const std::string before = ReadHostFileOrEmpty(File(kFileDefinitionFile));
    const std::string package = Package({
        Record("EXE", "ADD", Definition("b", "B", "y")),
        EncodeLine("DIR") + "|ADD" + Definition("no", "marker", "here"),
        Record("ZIP", "ADD", "its kind belongs to no file, so it fails nothing"),
    });

    EXPECT_EQ(Apply(package), 0);
    EXPECT_EQ(ReadHostFileOrEmpty(File(kFileDefinitionFile)), before);
    EXPECT_FALSE(fs::exists(File(kExeDefinitionFile)));
    EXPECT_EQ(
        Apply(Record("REG", "ADD",
                     EncodeLine("too") + "=" + EncodeLine("few") + "|" + EncodeLine("fields"))),
        0);
}

TEST_F(UpdatePackageTest, AFileThatCannotBeWrittenLeavesEveryFileWhole) {
    WriteDefinitions(kFileDefinitionFile, {"a=A|x", "", "b=B|y"});
    WriteDefinitions(kSafetyFile, {"SFILE|keep=k|C:\\"});
    MakeReadOnly(kSafetyFile);
    const std::string fileBefore = ReadHostFileOrEmpty(File(kFileDefinitionFile));
    const std::string safetyBefore = ReadHostFileOrEmpty(File(kSafetyFile));
    const std::string package = Package({
        Record("FILE", "DEL", EncodeLine("a")),
        Record("SFILE", "ADD", Definition("new", "n", "C:\\")),
    });

    EXPECT_EQ(Apply(package), 0);
    EXPECT_EQ(ReadHostFileOrEmpty(File(kFileDefinitionFile)), fileBefore)
        << "the rewritten file written before the failure is put back";
    EXPECT_EQ(ReadHostFileOrEmpty(File(kSafetyFile)), safetyBefore);
    EXPECT_FALSE(fs::exists(File(kExeDefinitionFile))) << "a file created for the package goes";
}

TEST_F(UpdatePackageTest, TheRetryAfterAFailureAddsEachLineOnce) {
    WriteDefinitions(kFileDefinitionFile, {"a=A|x"});
    WriteDefinitions(kSafetyFile, {});
    MakeReadOnly(kSafetyFile);
    int applying = 0;
    // The safe list is writable again by the time the second attempt reads the files.
    const auto status = [&](const std::string& text) {
        if (text == "Applying new updates..." && ++applying == 7) {
            fs::permissions(File(kSafetyFile), fs::perms::owner_write, fs::perm_options::add);
        }
    };
    const std::string package = Package({
        Record("FILE", "ADD", Definition("b", "B", "y")),
        Record("SFILE", "ADD", Definition("s", "S", "C:\\")),
    });

    EXPECT_EQ(Apply(package, status), 2);
    EXPECT_EQ(applying, 12);
    EXPECT_EQ(ReadDefinitionLines(kFileDefinitionFile), (Lines{"a=A|x", "b=B|y"}));
    EXPECT_EQ(ReadDefinitionLines(kSafetyFile), Lines{"SFILE|s=S|C:\\"});
}

}  // namespace

TEST(DefinitionLineKey, IsTheDecodedTextBeforeTheFirstEquals) {
    EXPECT_EQ(DefinitionLineKey(EncodeLine("Tool \u00C9t\u00E9.exe=Threat=x|y")),
              "Tool \u00C9t\u00E9.exe");
    EXPECT_EQ(DefinitionLineKey(EncodeLine("tracker.net")), "tracker.net");
    EXPECT_EQ(DefinitionLineKey(EncodeLine("=Threat")), "");
    // A character the code page lacks decodes as "?" shifted, never as "=".
    EXPECT_EQ(DefinitionLineKey("\u4E2D}" + EncodeLine("x")), DecodeLine("\u4E2D"));
}

TEST_F(UpdatePackageTest, ARewriteKeepsTheOtherLinesByteForByteAndAnUnchangedFileIsNotWritten) {
    WriteDefinitions(kFileDefinitionFile, {"keep\xE2\x82\xAC\xC3\xA9=x", "gone=y"});  // "€é"
    WriteDefinitions(kExeDefinitionFile, {"prog=z"});
    MakeReadOnly(kExeDefinitionFile);  // its queued key matches nothing: it must not be written
    EXPECT_EQ(Apply(Package({Record("FILE", "DEL", EncodeLine("gone")),
                             Record("EXE", "DEL", EncodeLine("absent"))})),
              2);
    EXPECT_EQ(ReadHostFileOrEmpty(File(kFileDefinitionFile)),
              Encoded({"keep\xE2\x82\xAC\xC3\xA9=x"}));
    EXPECT_EQ(ReadHostFileOrEmpty(File(kExeDefinitionFile)), Encoded({"prog=z"}));
}
