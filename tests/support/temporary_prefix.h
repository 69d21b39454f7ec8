#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "platform/machine.h"
#include "platform/prefix.h"
#include "support/temporary_folder.h"

namespace test_support {

// A prefix in a temporary folder as a fresh Wine installation leaves it: drives C: and Z:, the
// Windows folder tree with the user's profile, and hives holding the shell folders, program
// folders, drive types and Windows version, in Wine's format.
class TemporaryPrefix {
  public:
    explicit TemporaryPrefix(std::string userName = "tester");

    const std::filesystem::path& root() const { return folder_.path(); }
    platform::Prefix prefix() const { return platform::Prefix(root()); }
    const std::string& userName() const { return userName_; }

    // The host path of a place on drive C: ("windows/system32").
    std::filesystem::path DriveC(const std::filesystem::path& relative = {}) const;
    std::filesystem::path WriteFile(const std::filesystem::path& belowDriveC,
                                    std::string_view bytes) const;

    // Links a drive letter to a host folder; a folder that does not exist gives a drive that is
    // not ready.
    void LinkDrive(char letter, const std::filesystem::path& folder) const;
    void UnlinkDrive(char letter) const;

    // The machine of this prefix, its hive files as the registry.
    std::unique_ptr<platform::Machine> OpenMachine() const;

  private:
    TemporaryFolder folder_;
    std::string userName_;
};

// A temporary prefix installed as the current machine for its lifetime.
class TemporaryMachine {
  public:
    explicit TemporaryMachine(std::string userName = "tester");

    const TemporaryPrefix& prefix() const { return prefix_; }
    platform::Machine& machine() { return scope_.machine(); }

  private:
    TemporaryPrefix prefix_;
    platform::ScopedMachine scope_;
};

}  // namespace test_support
