#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The desktop's autostart entry of the program: a desktop entry file that the session starts at
// log-in. It stands beside the Windows Run value, which nothing reads for a native program.
namespace platform {

// ${XDG_CONFIG_HOME:-~/.config}/autostart/tollenwark.desktop, taken from the environment at every
// call.
std::filesystem::path AutostartEntryPath();

// Variables the program is started with, as NAME and value: those that name the installation it
// protects and its program folder, so that the session starts it for the same ones.
using StartEnvironment = std::vector<std::pair<std::string, std::string>>;

// The entry's text, starting program under the name shown with that environment (through env);
// nothing for a program path or a value that an entry cannot hold (one with a line break).
std::optional<std::string> AutostartEntryText(std::string_view name,
                                              const std::filesystem::path& program,
                                              const StartEnvironment& environment = {});

// Writes the entry (atomically; the folder is made when missing). False when it could not.
bool WriteAutostartEntry(std::string_view name, const std::filesystem::path& program,
                         const StartEnvironment& environment = {});

// Removes the entry; true when it is gone (also when there was none).
bool DeleteAutostartEntry();

}  // namespace platform
