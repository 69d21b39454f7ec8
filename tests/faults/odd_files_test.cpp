// Files that are not what the program expects: a quarantine folder it may not write, a folder
// where a definition file should be.
#include <gtest/gtest.h>

#include "foundation/definition_files.h"
#include "foundation/globals.h"
#include "foundation/line_codec.h"
#include "invariants.h"
#include "platform/text_encoding.h"
#include "program_fixture.h"
#include "support/temporary_folder.h"
#include "ui/frm_delete.h"

namespace fs = std::filesystem;
using platform::HKEY_CURRENT_USER;
using test_support::ReadHostFileOrEmpty;

namespace {

class OddFilesTest : public ProgramTest {};

TEST_F(OddFilesTest, AReadOnlyQuarantineKeepsEveryFileAndListsThem) {
    const std::string bad = WriteFileOnC("Bad/bad.exe", "bad program");
    const std::string data = WriteFileOnC("Bad/data.txt", "bad data");
    WriteFileOnC("Bad/Plugins/plugin.txt", "plug-in");
    WriteDefinitions(kFileDefinitionFile,
                     {"bad.exe=Bad.Tool|[drive]Bad", "data.txt=Bad.Tool|[drive]Bad"});
    WriteDefinitions(kDirectoryDefinitionFile, {"Plugins=Bad.Tool|[drive]Bad\\Plugins\\"});
    WriteEveryDefinitionFile();
    fs::create_directories(QuarantineHostFolder());
    fs::permissions(QuarantineHostFolder(), fs::perms::owner_write, fs::perm_options::remove);
    StartProgram();
    ScanAndTickEverything();

    RemoveTicked();

    EXPECT_EQ(ReadHostFileOrEmpty(HostPathOf(bad)), "bad program");
    EXPECT_EQ(ReadHostFileOrEmpty(HostPathOf(data)), "bad data");
    EXPECT_EQ(ReadHostFileOrEmpty(HostPathOf("C:\\Bad\\Plugins\\plugin.txt")), "plug-in");
    EXPECT_TRUE(fs::is_empty(QuarantineHostFolder()));
    EXPECT_EQ(frmDelete().lstProblem.ListItems.Count(), 3) << "the files and the folder are listed";
    EndProgram();
    StartProgram();
}

TEST_F(OddFilesTest, AFolderCopyCutShortBeforeIsNeitherKeptNorTakenForWhole) {
    WriteFileOnC("Bad/Plugins/plugin.txt", "plug-in");
    WriteFileOnC("Bad/Plugins/more.txt", "more");
    WriteDefinitions(kDirectoryDefinitionFile, {"Plugins=Bad.Tool|[drive]Bad\\Plugins\\"});
    WriteEveryDefinitionFile();
    // What an earlier removal killed half-way through the folder's copy left.
    test_support::WriteHostFile(QuarantineHostFolder() / ".Plugins.partial" / "plugin.txt", "plu");
    StartProgram();
    ScanAndTickEverything();

    RemoveTicked();

    EXPECT_FALSE(fs::exists(HostPathOf("C:\\Bad\\Plugins")));
    EXPECT_EQ((FolderContents(QuarantineHostFolder() / "Plugins")),
              (std::vector<std::pair<std::string, std::string>>{{"more.txt", "more"},
                                                                {"plugin.txt", "plug-in"}}));
    EXPECT_FALSE(fs::exists(QuarantineHostFolder() / ".Plugins.partial"));
}

TEST_F(OddFilesTest, AFolderInPlaceOfADefinitionFileIsLeftAloneAndChangesNothingElse) {
    program.WriteFile("date.dat", "4/1/2006\r\n");
    WriteDefinitions(kExeDefinitionFile, {"old.exe=Old|[windir]"});
    WriteEveryDefinitionFile();
    fs::remove(program.path() / kFileDefinitionFile);
    program.WriteFile(fs::path(kFileDefinitionFile) / "inside.txt", "not definitions");
    WriteDefinitions("DLFileDefinition.dat", {"staged.exe=New|[windir]"});
    server.Serve("currentDate.txt", "4/2/2006 9:00:00 AM");
    server.Serve("package.txt", platform::Utf8ToWindows1252(
                                    EncodeLine("EXE") + "|ADD[DEF]" + EncodeLine("new.exe") + "=" +
                                    EncodeLine("New") + "|" + EncodeLine("[windir]")));
    server.Serve("date.txt", "4/2/2006 9:30:00 AM");

    StartProgram();  // the staged copy cannot take the folder's place
    EXPECT_EQ(gExeDefCount, 1);
    EXPECT_EQ(gFileDefCount, 0);
    const auto before = FolderContents(program.path());
    RunUpdate();  // the package cannot be applied to the folder: no file changes

    EXPECT_EQ(FolderContents(program.path()), before);
    EXPECT_EQ(DefinitionsNotice(), kFailedUpdateNotice);
    EXPECT_EQ(ReadHostFileOrEmpty(program.path() / kFileDefinitionFile / "inside.txt"),
              "not definitions");
    EXPECT_TRUE(fs::exists(program.path() / "DLFileDefinition.dat"));
    EndProgram();
    StartProgram();
}

}  // namespace
