#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

// Telling the processes that Wine runs for one prefix from the rest of the host's processes.
namespace platform {

// Run by Wine: its executable is one of Wine's loaders, or it has Wine's ntdll mapped (maps is
// the text of its maps file).
bool IsWineProcess(std::string_view exeLink, std::string_view maps);

// Whether the executable is one of Wine's loaders, which tells a Wine process without its maps.
bool IsWineLoader(std::string_view exeLink);

// The prefix folder Wine uses for a process with this environment (the raw NUL-separated block):
// WINEPREFIX, else .wine in its HOME, else in homeFolder. Nothing when it names a prefix Wine
// refuses (not an absolute path).
std::optional<std::filesystem::path> WinePrefixOf(std::string_view environment,
                                                  const std::filesystem::path& homeFolder);

}  // namespace platform
