#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "e2e/program_session.h"
#include "e2e/wine_prefix.h"

// A test of the real program on a fresh Wine prefix: a temporary folder holds the prefix, the
// program folder and the account's folders, and goes with the test.
namespace e2e {

class TemporaryRoot {
  public:
    TemporaryRoot();
    ~TemporaryRoot();
    TemporaryRoot(const TemporaryRoot&) = delete;
    TemporaryRoot& operator=(const TemporaryRoot&) = delete;
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

class WineProgramTest : public ::testing::Test {
  protected:
    WineProgramTest() : prefix(root.path() / "prefix"), program(root.path() / "session", prefix) {}

    std::filesystem::path DriveC() const { return prefix.folder() / "drive_c"; }

    TemporaryRoot root;
    WinePrefix prefix;
    ProgramSession program;
};

// The lines of a text file the program wrote (CR LF or LF), without their line ends.
std::vector<std::string> TextLines(const std::filesystem::path& file);

// The non-empty lines of the report's "[Threats Detected]" section, and its total.
struct ReportedThreats {
    std::vector<std::string> lines;
    std::string total;  // the text after "Total = "
};
ReportedThreats ThreatsInReport(const std::vector<std::string>& reportLines);

}  // namespace e2e
