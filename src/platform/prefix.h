#pragma once

#include <filesystem>
#include <string>

// A Wine-style prefix: the folder that holds one Windows installation on this host, with its drive
// links (dosdevices/), its C: drive (drive_c/) and its registry hives.
namespace platform {

class Prefix {
  public:
    explicit Prefix(std::filesystem::path root) : root_(std::move(root)) {}

    const std::filesystem::path& root() const { return root_; }
    std::filesystem::path dosdevices() const { return root_ / "dosdevices"; }
    std::filesystem::path driveC() const { return root_ / "drive_c"; }
    std::filesystem::path systemHive() const { return root_ / "system.reg"; }        // HKLM
    std::filesystem::path userHive() const { return root_ / "user.reg"; }            // HKCU
    std::filesystem::path defaultUserHive() const { return root_ / "userdef.reg"; }  // .Default

  private:
    std::filesystem::path root_;
};

// The prefix this process protects: $WINEPREFIX when set, else ~/.wine when it exists, else the
// program's own prefix under the per-user data folder, laid down on first use.
Prefix PrefixFromEnvironment();

// ${XDG_DATA_HOME:-~/.local/share}/tollenwark: the program's own data for this account.
std::filesystem::path PerUserDataFolder();

// ${XDG_CONFIG_HOME:-~/.config}: the account's configuration folder, which other programs share.
std::filesystem::path UserConfigFolder();

// PerUserDataFolder()/prefix
std::filesystem::path OwnPrefixFolder();

// The account's name, as Wine names the profile folder.
std::string HostUserName();

// $HOME, or the account's home folder when it is unset.
std::filesystem::path HomeFolder();

}  // namespace platform
