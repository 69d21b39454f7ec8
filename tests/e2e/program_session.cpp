#include "e2e/program_session.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include <fstream>
#include <sstream>

#include "support/user_folders.h"

namespace e2e {

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

const std::string kProduct = TOLLENWARK_PRODUCT_NAME;
const std::string kCompany = TOLLENWARK_COMPANY_NAME;

// What the build lays beside the binary: the data folder's entries, the encoded definitions and
// the compiled help, when there is one.
void CopyProgramFolder(const fs::path& target) {
    const fs::path build = TOLLENWARK_BUILD_FOLDER;
    std::vector<fs::path> items;
    for (const auto& entry : fs::directory_iterator(TOLLENWARK_DATA_FOLDER)) {
        items.push_back(build / entry.path().filename());
    }
    for (const auto& entry : fs::directory_iterator(build)) {
        if (entry.path().extension() == ".dat" || entry.path().filename() == "Help.chm") {
            items.push_back(entry.path());
        }
    }
    fs::create_directories(target);
    for (const fs::path& item : items) {
        fs::copy(item, target / item.filename(), fs::copy_options::recursive);
    }
}

// The settings file's key header: "[Tollenwark\\Settings]", backslashes doubled.
std::string SettingsKeyHeader(const std::string& section) {
    return "[" + kProduct + "\\\\" + section + "]";
}

fs::path SettingsFile(const fs::path& root) {
    return root / "config" / "tollenwark" / "user-settings.reg";
}

}  // namespace

std::string GeneralDateText(std::time_t when) {
    std::tm local{};
    ::localtime_r(&when, &local);
    const int hour12 = local.tm_hour % 12 == 0 ? 12 : local.tm_hour % 12;
    char text[64];
    std::snprintf(text, sizeof text, "%d/%d/%d %d:%02d:%02d %s", local.tm_mon + 1, local.tm_mday,
                  local.tm_year + 1900, hour12, local.tm_min, local.tm_sec,
                  local.tm_hour < 12 ? "AM" : "PM");
    return text;
}

SettingsSeed QuietScheduledScan(std::time_t scanAt) {
    return {
        {"Settings",
         {{"Language", "English"}, {"showHelp", "0"}, {"Minimized", "Yes"}, {"chkAutoDel", "1"}}},
        {"OptionAndSettings",
         {{"chkMakeLog", "1"},
          {"chkSweepMemory", "1"},
          {"chkScanRegistry", "1"},
          {"chkScanCookies", "1"},
          {"chkSendData", "0"},
          {"chkAutomaticUpdate", "0"},
          {"chkRunAtStartup", "0"},
          {"chkAutomaticScanYesOrNo", "1"},
          {"Day", "7"},
          {"Time", GeneralDateText(scanAt)},
          {"Date", "Null"},
          {"optMemorySheildOn", "False"},
          {"optMemorySheildOff", "True"},
          {"optIEHomePageSheildOn", "False"},
          {"optIEHomePageSheildOff", "True"}}},
    };
}

void RestoreHomePageSilently(SettingsSeed& seed, const std::string& protectedPage) {
    auto& options = seed["OptionAndSettings"];
    options["optIEHomePageSheildOn"] = "True";
    options["optIEHomePageSheildOff"] = "False";
    options["optAlwaysnotifybeforerestoring"] = "False";
    options["optRestoredefaultwithoutnotification"] = "True";
    options["Homepage"] = protectedPage;
}

ProgramSession::ProgramSession(const fs::path& root, const WinePrefix& prefix)
    : root_(root), prefix_(prefix), programFolder_(root / "program") {
    for (const char* folder : {"home", "config", "data", "cache", "runtime"}) {
        fs::create_directories(root_ / folder);
    }
    fs::permissions(root_ / "runtime", fs::perms::owner_all);
    CopyProgramFolder(programFolder_);
}

ProgramSession::~ProgramSession() = default;

void ProgramSession::SeedMachineSettings() const {
    const std::string key = "HKLM\\SOFTWARE\\" + kCompany + "\\" + kProduct + "\\Settings";
    prefix_.AddValue(key, "FirstTime", "Yes");
}

void ProgramSession::SeedUserSettings(const SettingsSeed& seed) const {
    std::ostringstream text;
    text << "WINE REGISTRY Version 2\n";
    for (const auto& [section, values] : seed) {
        text << "\n" << SettingsKeyHeader(section) << " 0\n";
        for (const auto& [key, value] : values) {
            text << "\"" << key << "\"=\"" << value << "\"\n";
        }
    }
    fs::create_directories(SettingsFile(root_).parent_path());
    std::ofstream(SettingsFile(root_), std::ios::binary) << text.str();
}

void ProgramSession::Start(const std::string& display) {
    ChildEnvironment environment = prefix_.Environment();
    for (const auto& [name, folder] : test_support::kUserFolderVariables) {
        environment.Set(name, (root_ / folder).string());
    }
    environment.Set("TOLLENWARK_PROGRAM_FOLDER", programFolder_.string());
    // Nothing listens there: no request of the program leaves this machine.
    environment.Set("TOLLENWARK_DEFINITIONS_SERVER", "http://127.0.0.1:9");
    environment.Set("QT_QPA_PLATFORM", display.empty() ? "offscreen" : "xcb");
    if (!display.empty()) {
        environment.Set("DISPLAY", display);
    }
    process_ = std::make_unique<BackgroundProcess>(std::vector<std::string>{TOLLENWARK_PROGRAM},
                                                   environment, root_ / "program-output.txt");
}

pid_t ProgramSession::Id() const {
    return process_ ? process_->id() : -1;
}

bool ProgramSession::Running() {
    return process_ && process_->Running();
}

bool ProgramSession::End() {
    if (!process_) {
        return false;
    }
    process_->Signal(SIGTERM);
    return process_->WaitForEnd(30s).has_value();
}

std::string ProgramSession::ProgramFolderText(const std::string& fileName) const {
    return ReadWholeFile(programFolder_ / fileName);
}

std::optional<std::string> ProgramSession::Setting(const std::string& section,
                                                   const std::string& key) const {
    return TextValueInHiveFile(SettingsFile(root_), SettingsKeyHeader(section), key);
}

std::string ProgramSession::Output() const {
    return ReadWholeFile(root_ / "program-output.txt");
}

void WaitForScheduledRemoval(ProgramSession& program) {
    const bool reported = WaitUntil(
        [&] { return fs::exists(program.programFolder() / "Scan_Log.txt") || !program.Running(); },
        120s);
    ASSERT_TRUE(reported && program.Running()) << "no scheduled scan report; the program said:\n"
                                               << program.Output();
    // The removal's last step adds what it removed to the running total.
    const bool removed =
        WaitUntil([&] { return program.Setting("Settings", "lblDefRemoved").has_value(); }, 120s);
    ASSERT_TRUE(removed) << "the removal after the scheduled scan did not finish; the program "
                            "said:\n"
                         << program.Output();
    // Past the count the scan handler only repaints and switches its timers back on.
    std::this_thread::sleep_for(2s);
}

}  // namespace e2e
