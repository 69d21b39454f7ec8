#pragma once

#include <chrono>
#include <ctime>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "e2e/commands.h"
#include "e2e/wine_prefix.h"

// The real program, run on a Wine prefix with a program folder, settings and data folders of its
// own, as a user who has started it before would run it.
namespace e2e {

// The per-user settings the program starts with: section -> key -> text.
using SettingsSeed = std::map<std::string, std::map<std::string, std::string>>;

// A start without first-run questions, minimised to the tray, logging, no network, both shields
// off, and a daily scheduled scan at the given time followed by the removal of what it finds.
SettingsSeed QuietScheduledScan(std::time_t scanAt);

// Switches the home-page shield on, to restore the protected page without asking.
void RestoreHomePageSilently(SettingsSeed& seed, const std::string& protectedPage);

// The time as the schedule stores it: "M/d/yyyy h:mm:ss AM" in local time.
std::string GeneralDateText(std::time_t when);

class ProgramSession {
  public:
    // Lays out the folders below root and copies the build's program folder.
    ProgramSession(const std::filesystem::path& root, const WinePrefix& prefix);
    ~ProgramSession();
    ProgramSession(const ProgramSession&) = delete;
    ProgramSession& operator=(const ProgramSession&) = delete;

    // Marks the prefix as one the program has started on before (machine-wide values); Wine's
    // server must be stopped afterwards.
    void SeedMachineSettings() const;
    // Writes the per-user settings file; call before Start.
    void SeedUserSettings(const SettingsSeed& seed) const;

    // Starts the program offscreen, or on the given X display (":N") where a test clicks it.
    void Start(const std::string& display = "");
    bool Running();
    pid_t Id() const;
    // Ends the program as the system ends a session's programs (SIGTERM); whether it ended.
    bool End();

    const std::filesystem::path& programFolder() const { return programFolder_; }
    std::filesystem::path QuarantineFolder() const { return programFolder_ / "quarantine"; }
    std::filesystem::path RestorePointsFolder() const {
        return root_ / "data" / "tollenwark" / "restore-points";
    }
    std::string ProgramFolderText(const std::string& fileName) const;
    // A per-user setting as the program stored it.
    std::optional<std::string> Setting(const std::string& section, const std::string& key) const;
    // What the program printed, for failure messages.
    std::string Output() const;

  private:
    std::filesystem::path root_;
    const WinePrefix& prefix_;
    std::filesystem::path programFolder_;
    std::unique_ptr<BackgroundProcess> process_;
};

// Waits for the scheduled scan's report and then for the removal that follows it; fails the
// test with the program's output when either does not come.
void WaitForScheduledRemoval(ProgramSession& program);

}  // namespace e2e
