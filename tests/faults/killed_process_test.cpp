// The program killed (SIGKILL) at random moments of a removal, many times over, and at each step of
// an update that changes the disk: whatever it was doing, nothing is lost and it starts again
// normally.
#include <gtest/gtest.h>
#include <signal.h>

#include <map>
#include <random>

#include "foundation/definition_files.h"
#include "foundation/definition_set.h"
#include "invariants.h"
#include "killed_copy.h"
#include "platform/file_errors.h"
#include "platform/restore_points.h"
#include "platform/temporary_files.h"
#include "program_fixture.h"
#include "support/temporary_folder.h"

namespace fs = std::filesystem;
using platform::HKEY_CURRENT_USER;
using platform::HKEY_LOCAL_MACHINE;
using test_support::ReadHostFileOrEmpty;

namespace {

constexpr int kKills = 8;

class KilledProgramTest : public ProgramTest {
  protected:
    KilledProgramTest() : random_(std::random_device{}()) {}

    // A moment within the first `span` (and a little after it, to see a finished run too).
    std::chrono::microseconds RandomMoment(std::chrono::microseconds span) {
        std::uniform_int_distribution<long long> moment(0, span.count() * 11 / 10);
        return std::chrono::microseconds(moment(random_));
    }

    void ExpectHivesAndSettingsReadWhole() const {
        EXPECT_TRUE(HiveReadsWhole(machine.prefix().prefix().userHive()));
        EXPECT_TRUE(HiveReadsWhole(machine.prefix().prefix().systemHive()));
        if (fs::exists(UserSettingsFile())) {
            EXPECT_TRUE(HiveReadsWhole(UserSettingsFile()));
        }
        ExpectEveryRestorePointWhole();
    }

    // A restore point holds its note and every hive whole: it is the way back. One cut short
    // has no number (it goes at the next start).
    static void ExpectEveryRestorePointWhole() {
        std::error_code error;
        for (const auto& snapshot :
             fs::directory_iterator(platform::RestorePointsFolder(), error)) {
            if (platform::IsTemporaryFileName(snapshot.path().filename().string(),
                                              platform::kPendingFileMarker)) {
                continue;
            }
            EXPECT_TRUE(fs::exists(snapshot.path() / platform::kRestorePointNoteName))
                << snapshot.path();
            for (const char* hive : {"system.reg", "user.reg", "userdef.reg"}) {
                EXPECT_TRUE(HiveReadsWhole(snapshot.path() / hive));
            }
        }
    }

    // The program comes up again over what the killed run left, and takes away the temporary
    // files the killed copy was writing.
    void RestartProgram() {
        EndProgram();
        StartProgram();
        for (const fs::path& root : {program.path(), machine.prefix().root(), userFolders.path()}) {
            for (const auto& entry : fs::recursive_directory_iterator(root)) {
                const std::string name = entry.path().filename().string();
                for (const std::string_view marker :
                     {platform::kPendingFileMarker, platform::kReplacedFileMarker,
                      platform::kDownloadMarker}) {
                    EXPECT_FALSE(platform::IsTemporaryFileName(name, marker)) << entry.path();
                }
            }
        }
    }

    // Kills a copy of the program doing `work` at random moments of a run as long as `whole`,
    // kKills times. Before each, `prepare` sets the stage; after each, `check` looks at what the
    // copy left, the hives and settings must read whole and the program must start again.
    void KillAtRandomMoments(std::chrono::microseconds whole, const std::function<void()>& prepare,
                             const std::function<void()>& work,
                             const std::function<void()>& check) {
        for (int kill = 0; kill < kKills; ++kill) {
            SCOPED_TRACE("kill " + std::to_string(kill));
            prepare();
            const auto moment = RandomMoment(whole);
            RunInKilledCopy(work, moment);
            check();
            ExpectHivesAndSettingsReadWhole();
            RestartProgram();
            if (HasFailure()) {
                ADD_FAILURE() << "killed after " << moment.count() << " us of " << whole.count();
                return;
            }
        }
    }

  private:
    std::mt19937_64 random_;
};

// ----- A removal

const std::string kNagKey = "Software\\Nag";
const std::string kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

class KilledRemovalTest : public KilledProgramTest {
  protected:
    KilledRemovalTest() {
        std::vector<std::string> files;
        for (const char* name : {"bad0.exe", "bad1.exe", "lib0.dll", "lib1.dll", "data0.txt",
                                 "data1.txt", "data2.txt", "data3.txt", "data4.txt"}) {
            files.push_back(std::string(name) + "=Bad.Tool|[drive]Bad");
        }
        WriteDefinitions(kFileDefinitionFile, files);
        WriteDefinitions(kDirectoryDefinitionFile, {"Plugins=Bad.Tool|[drive]Bad\\Plugins\\"});
        WriteDefinitions(kRegistryDefinitionFile,
                         {"1^" + kNagKey + "^Level=Nag.Ware", "1^" + kNagKey + "^=Nag.Ware",
                          "2^" + kRunKey + "^NagStart=Nag.Ware"});
        WriteEveryDefinitionFile();
    }

    // Files of different sizes, a folder of plug-ins and registry entries, all found by a scan.
    void PlantThreats() {
        test_support::RemoveTree(QuarantineHostFolder());
        test_support::RemoveTree(machine.prefix().DriveC("Bad"));
        planted_.clear();
        std::size_t size = 1000;
        for (const char* name : {"bad0.exe", "bad1.exe", "lib0.dll", "lib1.dll", "data0.txt",
                                 "data1.txt", "data2.txt", "data3.txt", "data4.txt"}) {
            Plant(fs::path("Bad") / name, size);
            size *= 2;
        }
        for (int i = 0; i < 6; ++i) {
            Plant(fs::path("Bad/Plugins") / ("plugin" + std::to_string(i) + ".txt"), 40'000);
        }
        SetRegistryValue(HKEY_CURRENT_USER, kNagKey, "", "nag");
        SetRegistryValue(HKEY_CURRENT_USER, kNagKey, "Level", "9");
        SetRegistryValue(HKEY_CURRENT_USER, kNagKey + "\\Deeper", "Kept", "with the key");
        SetRegistryValue(HKEY_LOCAL_MACHINE, kRunKey, "NagStart", "nag.exe");
        SetRegistryValue(HKEY_LOCAL_MACHINE, kRunKey, "Good", "good.exe");
    }

    void ScanForPlantedThreats() {
        PlantThreats();
        ScanAndTickEverything();
        ASSERT_EQ(FrmMain().lvwFilesToBeDeleted.ListItems.Count(), 10);
    }

    // Each file in place or wholly in the quarantine; a folder copy there is the whole folder.
    void ExpectNothingLost() const {
        const fs::path folderCopy = QuarantineHostFolder() / "Plugins";
        for (const auto& [host, content] : planted_) {
            const bool inFolder = host.parent_path().filename() == "Plugins";
            EXPECT_TRUE(StillThereOrQuarantined(host, content,
                                                inFolder ? folderCopy : QuarantineHostFolder()));
            if (inFolder && fs::exists(folderCopy)) {
                EXPECT_EQ(ReadHostFileOrEmpty(folderCopy / host.filename()), content);
            }
        }
    }

    void ExpectRegistryEntriesOldOrGone() {
        const std::pair<std::string, std::string> values[] = {{"", "nag"}, {"Level", "9"}};
        for (const auto& [name, text] : values) {
            const auto found = RegistryValue(HKEY_CURRENT_USER, kNagKey, name);
            EXPECT_TRUE(!found || *found == text) << name;
        }
        const auto start = RegistryValue(HKEY_LOCAL_MACHINE, kRunKey, "NagStart");
        EXPECT_TRUE(!start || *start == "nag.exe");
        EXPECT_EQ(RegistryValue(HKEY_LOCAL_MACHINE, kRunKey, "Good"), "good.exe");
    }

    bool AllRemoved() const {
        for (const auto& entry : planted_) {
            if (fs::exists(entry.first)) {
                return false;
            }
        }
        return true;
    }

  private:
    void Plant(const fs::path& belowDriveC, std::size_t size) {
        std::string content(size, 'x');
        content.replace(0, belowDriveC.string().size(), belowDriveC.string());
        planted_[machine.prefix().WriteFile(belowDriveC, content)] = content;
    }

    std::map<fs::path, std::string> planted_;
};

TEST_F(KilledRemovalTest, EveryFileStaysOrHasAWholeCopyWhereverTheRemovalIsKilled) {
    StartProgram();
    ScanForPlantedThreats();
    const auto removal = [this] { RemoveTicked(); };
    const auto whole = TimeInCopy(removal);
    ASSERT_TRUE(AllRemoved()) << "an uninterrupted removal takes everything";
    ExpectNothingLost();
    EXPECT_TRUE(fs::exists(platform::RestorePointsFolder()) &&
                !fs::is_empty(platform::RestorePointsFolder()))
        << "with a restore point";

    KillAtRandomMoments(
        whole,
        [this] {
            RestartProgram();
            ScanForPlantedThreats();
        },
        removal,
        [this] {
            ExpectNothingLost();
            ExpectRegistryEntriesOldOrGone();
        });
}

// ----- An update, killed or finding the disk full at each step that changes the disk

class InterruptedUpdateTest : public KilledProgramTest {
  protected:
    InterruptedUpdateTest() {
        WriteOldDefinitions(2000);
        old_ = FolderContents(program.path());
        ServeUpdate(server, PackageForEveryFile(500));
    }

    void PutBackOldFiles() const {
        for (const auto& [file, bytes] : old_) {
            test_support::WriteHostFile(program.path() / file, bytes);
        }
    }

    // Runs an uninterrupted update and returns its steps, each a write (true) or not.
    std::vector<bool> StepsOfAnUpdate() {
        std::vector<bool> steps;
        const auto before = SetDefinitionSetHookForTests([&](DefinitionSetStep step, auto) {
            steps.push_back(step <= DefinitionSetStep::Record);
            return platform::ERROR_SUCCESS;
        });
        RunUpdate();
        SetDefinitionSetHookForTests(before);
        new_ = FolderContents(program.path());
        for (std::size_t file = 0; file < old_.size(); ++file) {
            EXPECT_NE(new_.at(file), old_[file]) << old_[file].first << " changes";
        }
        PutBackOldFiles();
        return steps;
    }

    std::vector<std::pair<std::string, std::string>> old_;
    std::vector<std::pair<std::string, std::string>> new_;
};

// The copy is killed by the step itself, before it is taken; after the last step it ends as it
// would. The start after it finishes or removes the set.
TEST_F(InterruptedUpdateTest, TheFilesAndTheDateAreAllOldOrAllNewWhereverTheUpdateIsKilled) {
    StartProgram();
    const std::size_t steps = StepsOfAnUpdate().size();
    ASSERT_EQ(steps, 2 * 7 + 2u) << "a write and a rename of each file, the record and its end";
    bool someOld = false;
    bool someNew = false;
    for (std::size_t kill = 0; kill <= steps; ++kill) {
        SCOPED_TRACE("killed before step " + std::to_string(kill));
        RestartProgram();
        RunInKilledCopy(
            [&] {
                SetDefinitionSetHookForTests([&, step = std::size_t{0}](auto, auto) mutable {
                    if (step++ == kill) {
                        ::raise(SIGKILL);
                    }
                    return platform::ERROR_SUCCESS;
                });
                RunUpdate();
            },
            std::nullopt);
        RestartProgram();
        const auto now = FolderContents(program.path());
        EXPECT_TRUE(now == old_ || now == new_);
        someOld |= now == old_;
        someNew |= now == new_;
        ExpectHivesAndSettingsReadWhole();
        PutBackOldFiles();
    }
    EXPECT_TRUE(someOld && someNew);
}

// From the failing write on every write fails, as on a disk that filled meanwhile.
TEST_F(InterruptedUpdateTest, AFullDiskAtAnyWriteLeavesEveryFileAndTheDateAndSaysSo) {
    StartProgram();
    const std::vector<bool> steps = StepsOfAnUpdate();
    for (std::size_t full = 0; full < steps.size(); ++full) {
        if (!steps[full]) {
            continue;
        }
        SCOPED_TRACE("the disk full from step " + std::to_string(full));
        const auto before = SetDefinitionSetHookForTests([&, step = std::size_t{0}](
                                                             DefinitionSetStep kind, auto) mutable {
            return step++ >= full && kind <= DefinitionSetStep::Record ? platform::ERROR_DISK_FULL
                                                                       : platform::ERROR_SUCCESS;
        });
        RunUpdate();
        SetDefinitionSetHookForTests(before);
        EXPECT_EQ(FolderContents(program.path()), old_);
        EXPECT_EQ(DefinitionsNotice(), kDiskFullNotice);
    }
}

}  // namespace
