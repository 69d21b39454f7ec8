#include "support/temporary_prefix.h"

#include <gtest/gtest.h>

#include <cctype>
#include <system_error>

#include "platform/fresh_prefix.h"

namespace fs = std::filesystem;

namespace test_support {
namespace {

fs::path DriveLink(const fs::path& root, char letter) {
    const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
    return root / "dosdevices" / std::string{lower, ':'};
}

}  // namespace

TemporaryPrefix::TemporaryPrefix(std::string userName)
    : folder_("tollenwark-prefix"), userName_(std::move(userName)) {
    if (const long status = platform::LayDownFreshPrefix(root(), userName_)) {
        ADD_FAILURE() << "cannot lay down a prefix in " << root() << ": error " << status;
    }
}

fs::path TemporaryPrefix::DriveC(const fs::path& relative) const {
    return relative.empty() ? root() / "drive_c" : root() / "drive_c" / relative;
}

fs::path TemporaryPrefix::WriteFile(const fs::path& belowDriveC, std::string_view bytes) const {
    const fs::path file = DriveC(belowDriveC);
    WriteHostFile(file, bytes);
    return file;
}

void TemporaryPrefix::LinkDrive(char letter, const fs::path& folder) const {
    UnlinkDrive(letter);
    std::error_code error;
    fs::create_directory_symlink(folder, DriveLink(root(), letter), error);
    EXPECT_FALSE(error) << "cannot link drive " << letter << ": " << error.message();
}

void TemporaryPrefix::UnlinkDrive(char letter) const {
    std::error_code error;
    fs::remove(DriveLink(root(), letter), error);
}

std::unique_ptr<platform::Machine> TemporaryPrefix::OpenMachine() const {
    return platform::OpenMachine(prefix(), userName_);
}

TemporaryMachine::TemporaryMachine(std::string userName)
    : prefix_(std::move(userName)), scope_(prefix_.OpenMachine()) {}

}  // namespace test_support
