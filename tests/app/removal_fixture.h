#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "engine/result_rows.h"
#include "foundation/hive_file_machine.h"
#include "platform/registry.h"
#include "scan_fixture.h"
#include "support/scoped_environment.h"
#include "support/temporary_folder.h"

// The scan tests' setting (the main window, a program folder, messages and identity) with a
// machine of its own installed over the scan's: a temporary prefix whose registry is its hive files
// and whose Wine server a test can start. The setting of the selection, removal, quarantine and
// report tests.
class RemovalTest : public ScanTest {
  protected:
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
    // The machine the removal works on; the scan fixture's own machine lies under it unused.
    mutable HiveFileMachine hives;
    FrmMainForm& window = Main();
    ResultLists lists = ResultListsOf(window);
};
