#pragma once

#include <string>
#include <string_view>

#include "platform/path_mapper.h"
#include "platform/registry.h"

// The special folders of the prefix's user by CSIDL number, read as Windows reads them.
namespace platform {

class SpecialFolders {
  public:
    // fallbackUserName names the profile when the registry has no profile list.
    SpecialFolders(Registry& registry, const PathMapper& paths, std::string fallbackUserName);

    // The folder's Windows path without a trailing "\": the user's "User Shell Folders" value with
    // its references expanded, else the "Shell Folders" value, else the default of a fresh profile
    // (common folders from HKLM). "" when the folder does not exist (it is never created), for the
    // recycle bin, which is no folder, and for numbers the program does not know.
    std::string Path(int csidl) const;

    // The user's profile folder ("C:\users\bob") and the one all users share ("C:\ProgramData"),
    // as the prefix's environment names them, without a trailing "\"; "" when it does not exist.
    std::string UserProfilePath() const;
    std::string AllUsersProfilePath() const;

    // The Windows system folder, at most 255 characters, without a trailing "\".
    std::string SystemFolder() const;

  private:
    std::string StoredPath(int csidl) const;
    std::string ExistingFolder(std::string path) const;
    std::string ProfileVariable(std::string_view name) const;

    Registry& registry_;
    const PathMapper& paths_;
    std::string fallbackUserName_;
};

}  // namespace platform
