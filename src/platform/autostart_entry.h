#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// The desktop's autostart entry of the program: a desktop entry file that the session starts at
// log-in. It stands beside the Windows Run value, which nothing reads for a native program.
namespace platform {

// ${XDG_CONFIG_HOME:-~/.config}/autostart/tollenwark.desktop, taken from the environment at every
// call.
std::filesystem::path AutostartEntryPath();

// The entry's text, starting program under the name shown; nothing for a program path that an
// entry cannot hold (one with a line break).
std::optional<std::string> AutostartEntryText(std::string_view name,
                                              const std::filesystem::path& program);

// Writes the entry (atomically; the folder is made when missing). False when it could not.
bool WriteAutostartEntry(std::string_view name, const std::filesystem::path& program);

// Removes the entry; true when it is gone (also when there was none).
bool DeleteAutostartEntry();

}  // namespace platform
