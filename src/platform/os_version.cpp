#include "platform/os_version.h"

#include <charconv>
#include <string>

#include "platform/reg_text.h"
#include "platform/shell_folder_table.h"

namespace platform {
namespace {

constexpr const char* kNtVersionKey = "Software\\Microsoft\\Windows NT\\CurrentVersion";

bool ParsePart(std::string_view text, int& value) {
    const char* end = text.data() + text.size();
    const auto [next, error] = std::from_chars(text.data(), end, value);
    return !text.empty() && error == std::errc() && next == end && value >= 0;
}

int BuildNumber(Registry& registry, int fallback) {
    int build = 0;
    const auto text =
        ReadRegText(registry, HKEY_LOCAL_MACHINE, kNtVersionKey, "CurrentBuildNumber");
    return text && ParsePart(*text, build) ? build : fallback;
}

}  // namespace

std::optional<OsVersion> ParseVersionText(std::string_view text, int platformId) {
    OsVersion version{platformId, 0, 0, 0};
    int* parts[] = {&version.major, &version.minor, &version.build};
    std::size_t index = 0;
    while (index < 3) {
        const std::size_t dot = text.find('.');
        if (!ParsePart(text.substr(0, dot), *parts[index++])) {
            return std::nullopt;
        }
        if (dot == std::string_view::npos) {
            break;
        }
        text.remove_prefix(dot + 1);
    }
    return index >= 2 ? std::optional(version) : std::nullopt;
}

OsVersion ReadOsVersion(Registry& registry) {
    const auto major =
        ReadRegDword(registry, HKEY_LOCAL_MACHINE, kNtVersionKey, "CurrentMajorVersionNumber");
    const auto minor =
        ReadRegDword(registry, HKEY_LOCAL_MACHINE, kNtVersionKey, "CurrentMinorVersionNumber");
    if (major && minor) {
        return {VER_PLATFORM_WIN32_NT, static_cast<int>(*major), static_cast<int>(*minor),
                BuildNumber(registry, 0)};
    }
    if (const auto text =
            ReadRegText(registry, HKEY_LOCAL_MACHINE, kNtVersionKey, "CurrentVersion")) {
        if (auto version = ParseVersionText(*text, VER_PLATFORM_WIN32_NT)) {
            version->build = BuildNumber(registry, 0);
            return *version;
        }
    }
    if (const auto text =
            ReadRegText(registry, HKEY_LOCAL_MACHINE, kCurrentVersionKey, "VersionNumber")) {
        if (auto version = ParseVersionText(*text, VER_PLATFORM_WIN32_WINDOWS)) {
            return *version;
        }
    }
    return OsVersion{};
}

}  // namespace platform
