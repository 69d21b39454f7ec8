#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "engine/result_rows.h"
#include "foundation/hive_file_machine.h"
#include "platform/registry.h"
#include "support/forms_fixture.h"
#include "support/main_window.h"
#include "support/scoped_environment.h"
#include "support/temporary_folder.h"
#include "support/temporary_program_folder.h"
#include "ui/frm_main.h"

// The texts of a list's rows, in order.
std::vector<std::string> RowTexts(const forms::ListView& list);

// The main window (loaded without its start-up) over a temporary prefix whose registry is its hive
// files, with a temporary program folder, the built-in messages, the program's identity and fresh
// program-wide values: the setting of the selection, removal, quarantine and report tests.
class RemovalTest : public FormsTest {
  protected:
    RemovalTest();
    ~RemovalTest() override;

    // A file below drive C: ("Program Files/Bad/bad.exe") with its content; its Windows path.
    std::string WriteFileOnC(const std::filesystem::path& belowDriveC, std::string_view bytes);
    std::filesystem::path HostPathOf(std::string_view windowsPath) const;
    bool HostFileExists(std::string_view windowsPath) const;

    std::filesystem::path QuarantineHostFolder() const;
    std::string QuarantinedContent(const std::string& name) const;
    std::string QuarantineLogText() const;
    // Makes the quarantine folder and takes its owner's write bit away.
    void MakeQuarantineReadOnly() const;

    void SetRegistryValue(platform::RegRoot root, const std::string& key, const std::string& name,
                          const std::string& text);
    bool RegistryKeyThere(platform::RegRoot root, const std::string& key);
    bool RegistryValueThere(platform::RegRoot root, const std::string& key,
                            const std::string& name);

    // Rows as the scan phases write them.
    void AddFileThreat(const std::string& path, const std::string& threat);
    void AddFolderThreat(const std::string& path, const std::string& threat);
    void AddRegistryThreat(platform::RegRoot root, const std::string& key, const std::string& value,
                           const std::string& threat);
    void AddCookieThreat(const std::string& path);

    // Ticks a threat row as the user does, with its traces following.
    void UserTicks(int threatRow, bool tick = true);

    // The per-user settings and data of this test alone.
    test_support::TemporaryFolder userFolders;
    test_support::ScopedEnvironmentVariable configHome{"XDG_CONFIG_HOME",
                                                       (userFolders.path() / "config").string()};
    test_support::ScopedEnvironmentVariable dataHome{"XDG_DATA_HOME",
                                                     (userFolders.path() / "data").string()};
    mutable HiveFileMachine machine;
    test_support::TemporaryProgramFolder program;
    FrmMainForm& window = test_support::LoadMainWindowWithoutStartUp();
    ResultLists lists = ResultListsOf(window);
};
