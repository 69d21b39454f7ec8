#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// A prefix as a fresh Wine installation leaves it: drive links, the Windows folder tree with a
// user profile, and hives holding the shell folders, the program folders, the Windows version
// (NT 6.1) and the drive types.
namespace platform {

// Wine's security id of the prefix's user.
inline constexpr const char* kPrefixUserSid = "S-1-5-21-0-0-0-1000";

struct FreshHives {
    std::string system;       // system.reg
    std::string user;         // user.reg
    std::string userDefault;  // userdef.reg
};

FreshHives FreshHiveTexts(std::string_view userName, std::int64_t unixTime);

// The folders of a fresh installation, relative to drive_c ("users/bob/Desktop").
std::vector<std::filesystem::path> FreshFolders(std::string_view userName);

// Lays down a fresh prefix at root, adding only what is missing: existing links, folders and hives
// are kept. ERROR_SUCCESS, or the first failure.
long LayDownFreshPrefix(const std::filesystem::path& root, std::string_view userName);

}  // namespace platform
