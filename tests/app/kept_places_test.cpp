// What a removal must keep, on a prefix made by wineboot, whose Documents, Desktop and the like
// are links to the home folder: named through every way the prefix's links give, nothing of it
// goes, and every such row is listed and kept.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "foundation/definition_files.h"
#include "foundation/globals.h"
#include "foundation/settings_store.h"
#include "platform/path_mapper.h"
#include "platform/restore_points.h"
#include "scan_fixture.h"
#include "support/child_process.h"
#include "support/definition_file_writer.h"
#include "support/scoped_environment.h"
#include "support/temporary_folder.h"
#include "support/wait_until.h"
#include "support/wine_test_prefix.h"
#include "ui/frm_delete.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using test_support::ScopedEnvironmentVariable;
using test_support::WriteHostFile;

namespace {

// Every entry below a folder (drive_c left out): its kind and content, or its link's target.
std::map<std::string, std::string> Contents(const fs::path& folder) {
    std::map<std::string, std::string> contents;
    for (auto it = fs::recursive_directory_iterator(folder);
         it != fs::recursive_directory_iterator(); ++it) {
        const std::string name = it->path().lexically_relative(folder).string();
        if (name == "drive_c") {
            it.disable_recursion_pending();
        }
        contents[name] = it->is_symlink()     ? "link " + fs::read_symlink(it->path()).string()
                         : it->is_directory() ? "folder"
                                              : test_support::ReadHostFileOrEmpty(it->path());
    }
    return contents;
}

std::string WindowsSeparators(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

class KeptPlacesTest : public ScanTest {
  protected:
    // The program, its settings and restore points, and the prefix all in the home folder.
    test_support::TemporaryFolder home{"tollenwark-home"};
    ScopedEnvironmentVariable homeVariable{"HOME", home.path().string()};
    ScopedEnvironmentVariable configHome{"XDG_CONFIG_HOME", (home.path() / ".config").string()};
    ScopedEnvironmentVariable dataHome{"XDG_DATA_HOME", (home.path() / ".local/share").string()};
    ScopedEnvironmentVariable programFolder{"TOLLENWARK_PROGRAM_FOLDER",
                                            (home.path() / "Tollenwark").string()};
    test_support::WineTestPrefix prefix{home.path() / ".wine"};
    test_support::TemporaryFolder outside{"tollenwark-outside"};
};

TEST_F(KeptPlacesTest, NoSpellingOrLinkLetsARemovalTakeWhatItMustKeep) {
    ASSERT_TRUE(prefix.Ready());
    const fs::path h = home.path();
    const platform::ScopedMachine machine(platform::OpenMachine(platform::Prefix(h / ".wine")));
    SaveSetting(gProgramName, "Settings", "Marker", "kept");
    const fs::path restorePoint = platform::RestorePointsFolder() / "1";
    fs::create_directories(restorePoint);
    fs::copy_file(h / ".wine/user.reg", restorePoint / "user.reg");
    // Each place with a file and a folder in it.
    struct Place {
        fs::path folder;
        std::string file;
        std::string subFolder;
    };
    const std::vector<Place> places = {
        {h / "Tollenwark", "readme.txt", "Help"},
        {h / "Tollenwark/quarantine", "QuarantineLog.txt", "Old"},
        {h / ".config/tollenwark", "user-settings.reg", "Backup"},
        {restorePoint, "user.reg", "Extra"},
        {h / ".wine", "system.reg", "dosdevices"},
        {h / ".ssh", "id_rsa", "keys"},
        {outside.path(), "victim.txt", "victims"},
    };
    for (const Place& place : places) {
        if (!fs::exists(place.folder / place.file)) {
            WriteHostFile(place.folder / place.file, "kept " + place.file);
        }
        WriteHostFile(place.folder / place.subFolder / "inside.txt", "kept inside");
    }
    // Another drive letter and a link inside C: to the home folder, and a link inside C: that
    // leads out of the installation's storage.
    fs::create_directory_symlink(h, h / ".wine/dosdevices/d:");
    fs::create_directory_symlink(h, prefix.DriveC("homelink"));
    fs::create_directory_symlink(outside.path(), prefix.DriveC("lnkdir"));
    const std::string documents = "C:\\users\\" + platform::HostUserName() + "\\Documents";
    ASSERT_EQ(fs::read_symlink(prefix.DriveC("users/" + platform::HostUserName() + "/Documents")),
              h);

    // Each place, a file and a folder in it, named through each way that leads there.
    std::vector<std::string> files;
    std::vector<std::string> folders;
    for (const Place& place : places) {
        std::vector<std::string> ways = {platform::ZDrivePath(place.folder)};
        if (place.folder == outside.path()) {
            ways.push_back("C:\\lnkdir");
        } else {
            const std::string below =
                WindowsSeparators(place.folder.lexically_relative(h).string());
            ways.insert(ways.end(),
                        {documents + "\\" + below, "D:\\" + below, "C:\\homelink\\" + below});
        }
        for (const std::string& way : ways) {
            files.push_back(place.file + "=Kept|" + way);
            folders.push_back(place.folder.filename().string() + "=Kept|" + way + "\\");
            folders.push_back(place.subFolder + "=Kept|" + way + "\\" + place.subFolder + "\\");
        }
    }
    // The home folder itself.
    for (const std::string& way : {platform::ZDrivePath(h), documents, std::string("D:")}) {
        folders.push_back("Home=Kept|" + way + "\\");
    }
    const fs::path programFolderPath = h / "Tollenwark";
    test_support::WriteEncodedDefinitions(programFolderPath, kFileDefinitionFile, files);
    test_support::WriteEncodedDefinitions(programFolderPath, kDirectoryDefinitionFile, folders);
    test_support::WriteMissingDefinitionFiles(programFolderPath);
    SaveSetting(gProgramName, "OptionAndSettings", "chkSweepMemory", "False");
    Main().cmdScanNow.Click();
    const std::vector<std::string> rows = RowTexts(Main().lvwFilesToBeDeleted);
    ASSERT_EQ(rows.size(), files.size() + folders.size()) << "every way reaches its place";

    std::vector<std::map<std::string, std::string>> before;
    for (const Place& place : places) {
        before.push_back(Contents(place.folder));
    }
    Main().cmdSelectAll.Click();
    host.ExpectMsgBox(forms::MsgBoxResult::Yes);
    Main().Command4.Click();

    for (std::size_t i = 0; i < places.size(); ++i) {
        std::map<std::string, std::string> after = Contents(places[i].folder);
        if (places[i].file == "user-settings.reg") {
            // The program itself writes its settings; that they stay is the test.
            after.erase("user-settings.reg");
            before[i].erase("user-settings.reg");
        }
        EXPECT_EQ(after, before[i]) << places[i].folder;
    }
    EXPECT_EQ(GetSetting(gProgramName, "Settings", "Marker", ""), "kept");
    EXPECT_TRUE(fs::is_directory(h));
    EXPECT_EQ(RowTexts(frmDelete().lstProblem), rows);
    EXPECT_EQ(RowTexts(Main().lvwFilesToBeDeleted), rows);

    // A file that a Windows program of the prefix holds open stays, and is listed.
    test_support::ChildProcess holder = prefix.Run("C:\\windows\\system32\\cmd.exe",
                                                   {"/c", "ping -n 120 127.0.0.1 > C:\\held.log"});
    test_support::WaitUntil([&] { return fs::exists(prefix.DriveC("held.log")); }, 60s, 50ms);
    test_support::WriteEncodedDefinitions(programFolderPath, kFileDefinitionFile,
                                          {"held.log=Held|[drive]"});
    test_support::WriteEncodedDefinitions(programFolderPath, kDirectoryDefinitionFile, {});
    Main().cmdScanNow.Click();
    ASSERT_EQ(RowTexts(Main().lvwFilesToBeDeleted), std::vector<std::string>{"C:\\held.log"});
    Main().cmdSelectAll.Click();
    host.ExpectMsgBox(forms::MsgBoxResult::Yes);
    Main().Command4.Click();
    EXPECT_TRUE(fs::exists(prefix.DriveC("held.log")));
    EXPECT_EQ(RowTexts(frmDelete().lstProblem), std::vector<std::string>{"C:\\held.log"});
}

}  // namespace
