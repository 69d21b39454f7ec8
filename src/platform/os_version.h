#pragma once

#include <optional>
#include <string_view>

#include "platform/registry.h"

// The Windows version the prefix reports.
namespace platform {

inline constexpr int VER_PLATFORM_WIN32_WINDOWS = 1;  // the older family (95, 98, Me)
inline constexpr int VER_PLATFORM_WIN32_NT = 2;

struct OsVersion {
    int platformId = VER_PLATFORM_WIN32_NT;
    int major = 6;
    int minor = 1;
    int build = 7601;

    bool operator==(const OsVersion&) const = default;
};

// From HKLM\Software\Microsoft\Windows NT\CurrentVersion (the major and minor number values of
// newer systems, else "CurrentVersion" such as "6.1"); a registry of the older family keeps
// "VersionNumber" ("4.90.3000") under ...\Windows\CurrentVersion instead. With neither: Windows 7,
// as a fresh prefix reports.
OsVersion ReadOsVersion(Registry& registry);

// "6.1" or "4.90.3000" as major, minor and build (0 when absent); nothing for other text.
std::optional<OsVersion> ParseVersionText(std::string_view text, int platformId);

}  // namespace platform
