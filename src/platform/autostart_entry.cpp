#include "platform/autostart_entry.h"

#include <system_error>

#include "platform/hive_disk.h"
#include "platform/prefix.h"

namespace fs = std::filesystem;

namespace platform {
namespace {

// A value of a desktop entry keeps its backslashes only doubled.
std::string EscapeValue(std::string_view text) {
    std::string escaped;
    for (char c : text) {
        if (c == '\\') {
            escaped += '\\';
        }
        escaped += c;
    }
    return escaped;
}

// One quoted argument of Exec: inside the quotes '"', '`', '$' and '\' take a backslash, and '%'
// (a field code) is doubled.
std::string QuotedArgument(std::string_view argument) {
    std::string quoted = "\"";
    for (char c : argument) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') {
            quoted += '\\';
        } else if (c == '%') {
            quoted += '%';
        }
        quoted += c;
    }
    return quoted + "\"";
}

bool HoldsLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

}  // namespace

fs::path AutostartEntryPath() {
    return UserConfigFolder() / "autostart" / "tollenwark.desktop";
}

std::optional<std::string> AutostartEntryText(std::string_view name, const fs::path& program,
                                              const StartEnvironment& environment) {
    const std::string path = program.string();
    if (HoldsLineBreak(path)) {
        return std::nullopt;
    }
    // "env" sets the variables and starts the program itself, whatever the session's shell.
    std::string command = environment.empty() ? "" : "env ";
    for (const auto& [variable, value] : environment) {
        if (HoldsLineBreak(variable) || HoldsLineBreak(value)) {
            return std::nullopt;
        }
        command += QuotedArgument(variable + "=" + value) + " ";
    }
    command += QuotedArgument(path);
    const std::string shownName = HoldsLineBreak(name) ? path : std::string(name);
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=" +
           EscapeValue(shownName) + "\n" + "Exec=" + EscapeValue(command) + "\n" +
           "Terminal=false\n";
}

bool WriteAutostartEntry(std::string_view name, const fs::path& program,
                         const StartEnvironment& environment) {
    const auto text = AutostartEntryText(name, program, environment);
    if (!text) {
        return false;
    }
    const fs::path entry = AutostartEntryPath();
    std::error_code error;
    fs::create_directories(entry.parent_path(), error);
    std::string failure;
    return ReplaceFileAtomically(entry.string(), *text, &failure);
}

bool DeleteAutostartEntry() {
    std::error_code error;
    fs::remove(AutostartEntryPath(), error);
    return !error;
}

}  // namespace platform
