#pragma once

#include <span>

// Where Windows keeps the special folders (CSIDL numbers) and where a fresh profile puts them.
namespace platform {

enum class ShellFolderSource {
    User,            // HKCU ...\Explorer\User Shell Folders, else ...\Explorer\Shell Folders
    Common,          // the same keys under HKLM
    CurrentVersion,  // HKLM\Software\Microsoft\Windows\CurrentVersion
    Fixed,           // not in the registry: the folder of a Windows installation
};

struct ShellFolder {
    int csidl;
    ShellFolderSource source;
    const char* valueName;     // registry value (nullptr for fixed folders)
    const char* defaultValue;  // with environment references; nullptr: no folder by default
};

inline constexpr int CSIDL_BITBUCKET = 10;

inline constexpr const char* kUserShellFoldersKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
inline constexpr const char* kShellFoldersKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
inline constexpr const char* kCurrentVersionKey = "Software\\Microsoft\\Windows\\CurrentVersion";

// Every folder the program knows, in CSIDL order.
std::span<const ShellFolder> ShellFolders();

// The entry of a CSIDL number; nullptr for one the program does not know (the recycle bin among
// them: it is no folder).
const ShellFolder* FindShellFolder(int csidl);

}  // namespace platform
