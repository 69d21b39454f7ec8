#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"
#include "server/definitions_server_process.h"
#include "support/forms_fixture.h"
#include "support/scoped_environment.h"
#include "support/temporary_folder.h"
#include "support/temporary_prefix.h"
#include "support/temporary_program_folder.h"
#include "ui/frm_main.h"

// The notice of an update that could not get or store the definitions, and of one that found no
// room on the disk for them.
extern const char kFailedUpdateNotice[];
extern const char kDiskFullNotice[];

// A package as the server sends it that changes all six definition files: `added` program and
// folder definitions, a registry key, a cookie host, a safe-list entry, and deletions of every
// seventh old definition (ProgramTest::WriteOldDefinitions) from the program and folder files.
std::string PackageForEveryFile(int added);
// Serves an update newer than the old date.dat: its date, the package and the date to store.
void ServeUpdate(const DefinitionsServerProcess& to, const std::string& package,
                 const std::string& date = "4/2/2006 9:00:00 AM",
                 const std::string& newDate = "4/2/2006 9:30:00 AM");

// The program as a user has it, for fault tests: a machine (a prefix whose registry is its hive
// files), a program folder, settings and data folders of its own, a definitions server, and the
// program started as the user starts it (splash, then the main window), used before, so that
// nothing asks a first-run question.
class ProgramTest : public FormsTest {
  protected:
    ProgramTest();
    ~ProgramTest() override;

    // Starts the program; fails the test unless the main window comes up.
    void StartProgram();
    // Every window gone and the program-wide values back to their start, as after the process.
    void EndProgram();

    // A file below drive C: ("Bad/bad.exe") with its content; its Windows path.
    std::string WriteFileOnC(const std::filesystem::path& belowDriveC, std::string_view bytes);
    std::filesystem::path HostPathOf(std::string_view windowsPath) const;
    void SetRegistryValue(platform::RegRoot root, const std::string& key, const std::string& name,
                          const std::string& text);
    // The value's text, or nothing when it (or its key) is not there.
    std::optional<std::string> RegistryValue(platform::RegRoot root, const std::string& key,
                                             const std::string& name);

    // Writes a definition file of the program folder, each line encoded as the server sends it.
    void WriteDefinitions(std::string_view fileName, const std::vector<std::string>& lines) const;
    // The five definition files a scan needs, empty where none was written.
    void WriteEveryDefinitionFile() const;

    // Definitions in all six files ("old<i>.exe" in the program, file and folder ones) and
    // date.dat "4/1/2006".
    void WriteOldDefinitions(int lines) const;

    // Runs a scan and ticks every threat it found.
    void ScanAndTickEverything();
    // Presses Delete and answers Yes.
    void RemoveTicked();
    // Presses Live Update.
    void RunUpdate();
    // The text of the definitions notice on screen ("" when none shows).
    std::string DefinitionsNotice() const;

    std::filesystem::path QuarantineHostFolder() const { return program.path() / "quarantine"; }
    std::filesystem::path UserSettingsFile() const;

    test_support::TemporaryFolder userFolders{"tollenwark-user"};
    test_support::ScopedEnvironmentVariable configHome{"XDG_CONFIG_HOME",
                                                       (userFolders.path() / "config").string()};
    test_support::ScopedEnvironmentVariable dataHome{"XDG_DATA_HOME",
                                                     (userFolders.path() / "data").string()};
    test_support::TemporaryMachine machine;
    test_support::TemporaryProgramFolder program;
    DefinitionsServerProcess server;
    test_support::ScopedEnvironmentVariable serverAddress{"TOLLENWARK_DEFINITIONS_SERVER",
                                                          server.BaseUrl()};
};
