// A Windows program that a definition names, running under Wine while a scheduled scan comes:
// the memory scan stops it, and the removal that follows quarantines its file.
#include <signal.h>
#include <sys/wait.h>

#include <algorithm>
#include <ctime>

#include "e2e/planted_threats.h"
#include "e2e/wine_program_test.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// The definitions name this program in this folder.
const std::string kPlantedProgram = "C:\\Program Files\\PingBeacon\\pingbeacon.exe";

class MemoryScanTest : public WineProgramTest {
  protected:
    // Wine's own console ping, under the planted name: a real Windows program that runs for as
    // long as it is told to, with no display.
    void PlantRunningProgram() {
        const fs::path target = prefix.HostPath(kPlantedProgram);
        fs::create_directories(target.parent_path());
        fs::copy_file(prefix.HostPath("C:\\windows\\system32\\ping.exe"), target);
        planted = std::make_unique<BackgroundProcess>(
            std::vector<std::string>{"wine", kPlantedProgram, "-n", "900", "127.0.0.1"},
            prefix.Environment(), root.path() / "planted-output.txt");
        ASSERT_TRUE(WaitUntil([&] { return MapsPlantedProgram(); }, 60s))
            << "the planted program did not start: "
            << ReadWholeFile(root.path() / "planted-output.txt");
    }

    // Whether the planted process has its program file mapped: Wine has loaded it.
    bool MapsPlantedProgram() {
        return planted->Running() &&
               ReadWholeFile("/proc/" + std::to_string(planted->id()) + "/maps")
                       .find("pingbeacon.exe") != std::string::npos;
    }

    std::unique_ptr<BackgroundProcess> planted;
};

TEST_F(MemoryScanTest, StopsARunningProgramTheDefinitionsNameAndQuarantinesItsFile) {
    program.SeedMachineSettings();
    prefix.StopServer();
    PlantRunningProgram();
    if (HasFatalFailure()) {
        return;
    }
    const std::uintmax_t programSize = fs::file_size(prefix.HostPath(kPlantedProgram));

    program.SeedUserSettings(QuietScheduledScan(std::time(nullptr) + 15));
    program.Start();
    WaitForScheduledRemoval(program);
    if (HasFatalFailure()) {
        return;
    }
    ASSERT_TRUE(program.End()) << program.Output();

    // Stopped from outside long before its own end.
    const std::optional<int> status = planted->WaitForEnd(10s);
    ASSERT_TRUE(status) << "the planted program still runs";
    EXPECT_TRUE(WIFSIGNALED(*status)) << "the planted program ended by itself";

    const std::vector<std::string> report = TextLines(program.programFolder() / "Scan_Log.txt");
    const ReportedThreats threats = ThreatsInReport(report);
    EXPECT_NE(std::find(threats.lines.begin(), threats.lines.end(), "PingBeacon Tracker"),
              threats.lines.end());

    EXPECT_FALSE(fs::exists(prefix.HostPath(kPlantedProgram)));
    EXPECT_EQ(fs::file_size(program.QuarantineFolder() / "pingbeacon.exe"), programSize);
    const std::string log = ReadWholeFile(program.QuarantineFolder() / "QuarantineLog.txt");
    EXPECT_NE(log.find(kPlantedProgram), std::string::npos) << log;
}

}  // namespace
}  // namespace e2e
