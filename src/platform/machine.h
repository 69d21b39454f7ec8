#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/drives.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "platform/os_version.h"
#include "platform/path_mapper.h"
#include "platform/prefix.h"
#include "platform/registry.h"
#include "platform/special_folders.h"

// The Windows installation the program protects, as one object: its prefix, registry, files and
// folders, special folders, drives and version.
namespace platform {

class Machine {
  public:
    // userName names the profile when the registry has no profile list (the host's account).
    Machine(Prefix prefix, std::unique_ptr<Registry> registry, std::string userName);
    Machine(const Machine&) = delete;
    Machine& operator=(const Machine&) = delete;

    const Prefix& prefix() const { return prefix_; }
    Registry& registry() { return *registry_; }
    const PathMapper& paths() const { return paths_; }
    const Files& files() const { return files_; }
    const Folders& folders() const { return folders_; }
    const SpecialFolders& specialFolders() const { return specialFolders_; }

    std::vector<Drive> Drives();

    OsVersion Version();
    // Makes Version() report the given version instead of the registry's (nothing: the registry's
    // again), so the older platform family can be reached.
    void OverrideVersion(std::optional<OsVersion> version) { versionOverride_ = version; }

  private:
    Prefix prefix_;
    std::unique_ptr<Registry> registry_;
    PathMapper paths_;
    Files files_;
    Folders folders_;
    SpecialFolders specialFolders_;
    std::optional<OsVersion> versionOverride_;
};

// The machine of a prefix, its hive files as the registry. userName names the profile when the
// registry has no profile list.
std::unique_ptr<Machine> OpenMachine(Prefix prefix, std::string userName = HostUserName());

// The machine of this process: the one a ScopedMachine installed, else the machine of the prefix
// the environment names (see PrefixFromEnvironment), built on first use.
Machine& CurrentMachine();

// Installs a machine as the current one for its lifetime and then puts the previous one back.
class ScopedMachine {
  public:
    explicit ScopedMachine(std::unique_ptr<Machine> machine);
    ~ScopedMachine();
    ScopedMachine(const ScopedMachine&) = delete;
    ScopedMachine& operator=(const ScopedMachine&) = delete;

    Machine& machine() { return *machine_; }

  private:
    std::unique_ptr<Machine> machine_;
    Machine* previous_;
};

}  // namespace platform
