// A scheduled scan of a real Wine prefix with automatic removal: what the sample definitions name
// goes, into the quarantine and its log; everything else in the hives and on drive C: stays.
#include <algorithm>
#include <ctime>

#include "e2e/drive_snapshot.h"
#include "e2e/planted_threats.h"
#include "e2e/registry_snapshot.h"
#include "e2e/wine_program_test.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;

// Keys that may change in a run: the program's own machine-wide values, and what Wine itself
// writes afresh whenever it starts: its count of started services and, without a display, the
// display state.
const std::set<std::string> kChangingKeys = {
    "HKEY_LOCAL_MACHINE\\Software\\" + std::string(TOLLENWARK_COMPANY_NAME),
    "HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\ServiceCurrent",
    "HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\Video",
    "HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\Class\\"
    "{4D36E968-E325-11CE-BFC1-08002BE10318}",
};

struct Hives {
    RegistrySnapshot machine;
    RegistrySnapshot user;
};

class ScheduledRemovalTest : public WineProgramTest {
  protected:
    Hives ExportHives() {
        Hives hives{RegistrySnapshot::FromExport(prefix.Export("HKLM")),
                    RegistrySnapshot::FromExport(prefix.Export("HKCU"))};
        prefix.StopServer();
        return hives;
    }

    void RunScheduledScanAndRemoval() {
        program.SeedUserSettings(QuietScheduledScan(std::time(nullptr) + 15));
        program.Start();
        WaitForScheduledRemoval(program);
        ASSERT_TRUE(program.End()) << "the program did not end; it said:\n" << program.Output();
    }

    // Every line of the quarantine log that starts with the given text, less that text.
    std::vector<std::string> QuarantineLogFields(const std::string& start) const {
        std::vector<std::string> fields;
        for (const std::string& line :
             TextLines(program.QuarantineFolder() / "QuarantineLog.txt")) {
            const auto at = line.find(start);
            if (at != std::string::npos) {
                fields.push_back(line.substr(at + start.size()));
            }
        }
        return fields;
    }

    // Plants the chosen traces, runs a scheduled scan with its removal, and checks the outcome.
    void RunAndCheck(const ThreatChoice& choice);
};

bool Contains(const std::vector<std::string>& lines, const std::string& text) {
    return std::find(lines.begin(), lines.end(), text) != lines.end();
}

// The content of every file below the folder.
std::multiset<std::string> ContentsBelow(const fs::path& folder) {
    std::multiset<std::string> contents;
    if (fs::exists(folder)) {
        for (const auto& entry : fs::recursive_directory_iterator(folder)) {
            if (entry.is_regular_file()) {
                contents.insert(ReadWholeFile(entry.path()));
            }
        }
    }
    return contents;
}

void ScheduledRemovalTest::RunAndCheck(const ThreatChoice& choice) {
    const PlantedThreats planted(prefix, choice);
    planted.Plant();
    program.SeedMachineSettings();
    prefix.StopServer();
    const Hives before = ExportHives();
    const DriveSnapshot driveBefore = SnapshotOf(DriveC());

    RunScheduledScanAndRemoval();
    if (HasFatalFailure()) {
        return;
    }

    // The report lists each planted threat.
    const ReportedThreats reported =
        ThreatsInReport(TextLines(program.programFolder() / "Scan_Log.txt"));
    for (const std::string& name : planted.ThreatNames()) {
        EXPECT_TRUE(Contains(reported.lines, name)) << name << " is not in the report";
    }
    EXPECT_EQ(reported.total, std::to_string(planted.ThreatNames().size()));

    // Every named file went into the quarantine with its content and is named in the log.
    const std::multiset<std::string> quarantined = ContentsBelow(program.QuarantineFolder());
    const std::vector<std::string> loggedLocations = QuarantineLogFields(" - Location: ");
    for (const PlantedFile& file : planted.namedFiles()) {
        EXPECT_FALSE(fs::exists(prefix.HostPath(file.path))) << file.path << " is still there";
        EXPECT_TRUE(quarantined.contains(file.content)) << file.path << " has no quarantine copy";
        EXPECT_TRUE(file.onlyInNamedFolder || Contains(loggedLocations, file.path))
            << file.path << " is not in the quarantine log";
    }
    for (const PlantedFolder& folder : planted.namedFolders()) {
        EXPECT_FALSE(fs::exists(prefix.HostPath(folder.path))) << folder.path << " is still there";
    }
    for (const PlantedFile& file : planted.neighbourFiles()) {
        EXPECT_EQ(ReadWholeFile(prefix.HostPath(file.path)), file.content) << file.path;
    }

    // Drive C: lost exactly the planted threats and gained nothing.
    DriveSnapshot removed = Minus(driveBefore, SnapshotOf(DriveC()));
    for (const PlantedFile& file : planted.namedFiles()) {
        removed.erase(SnapshotPath(file.path));
    }
    for (const PlantedFolder& folder : planted.namedFolders()) {
        removed.erase(SnapshotPath(folder.path, true));
    }
    EXPECT_TRUE(removed.empty()) << "also removed: " << removed.begin()->first;
    const DriveSnapshot added = Minus(SnapshotOf(DriveC()), driveBefore);
    EXPECT_TRUE(added.empty()) << "added: " << added.begin()->first;

    // The hives lost exactly the named keys and values, and gained nothing but the program's own.
    const Hives after = ExportHives();
    const std::vector<std::string> loggedKeys = QuarantineLogFields(" - Key: ");
    const std::vector<std::string> loggedValues = QuarantineLogFields("Value: ");
    for (const PlantedValue& value : planted.namedValues()) {
        EXPECT_TRUE(Contains(loggedKeys, ExportedKeyPath(value.key)) &&
                    Contains(loggedValues, value.name))
            << value.key << " " << value.name << " is not in the quarantine log";
        EXPECT_FALSE(prefix.QueryValue(value.key, value.name)) << value.key << " " << value.name;
        EXPECT_TRUE(prefix.KeyExists(value.key)) << value.key << " went with its value";
    }
    for (const PlantedValue& key : planted.namedKeys()) {
        EXPECT_FALSE(prefix.KeyExists(key.key)) << key.key << " is still there";
    }
    for (const PlantedValue& value : planted.neighbourValues()) {
        EXPECT_EQ(prefix.QueryValue(value.key, value.name), value.data) << value.key;
    }
    std::set<RegistryEntry> expectedGone = planted.EntriesToRemove(before.machine);
    const std::set<RegistryEntry> userGone = planted.EntriesToRemove(before.user);
    expectedGone.insert(userGone.begin(), userGone.end());
    std::set<RegistryEntry> gone = Minus(before.machine.Without(kChangingKeys).entries(),
                                         after.machine.Without(kChangingKeys).entries());
    const std::set<RegistryEntry> goneFromUser = Minus(before.user.entries(), after.user.entries());
    gone.insert(goneFromUser.begin(), goneFromUser.end());
    EXPECT_EQ(Minus(gone, expectedGone), std::set<RegistryEntry>{}) << "removed, yet not named";
    EXPECT_EQ(Minus(expectedGone, gone), std::set<RegistryEntry>{}) << "named, yet left";
    EXPECT_EQ(Minus(after.machine.Without(kChangingKeys).entries(),
                    before.machine.Without(kChangingKeys).entries()),
              std::set<RegistryEntry>{});
    EXPECT_EQ(Minus(after.user.entries(), before.user.entries()), std::set<RegistryEntry>{});
}

// Threats that one phase of the scan meets: some only in the registry, others only on disk.
TEST_F(ScheduledRemovalTest, RemovesWhatTheDefinitionsNameAndKeepsEverythingElse) {
    RunAndCheck({{"TrayHelper X", "Blinkbar Toolbar", "DialMore Dialer"},
                 {"PingBeacon Tracker", "SearchSwap Hijacker"}});
}

// Every threat met by both phases: ticking the threat row takes its files as well as its keys.
TEST_F(ScheduledRemovalTest, RemovesEveryTraceOfAThreatMetInTheRegistryAndOnDisk) {
    RunAndCheck(EveryTrace());
}

}  // namespace
}  // namespace e2e
