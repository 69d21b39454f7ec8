#include "qt/host_paths.h"

#include <cctype>

#include "platform/machine.h"

namespace frontend {

bool IsWindowsPath(std::string_view text) {
    return text.size() >= 3 && std::isalpha(static_cast<unsigned char>(text[0])) &&
           text[1] == ':' && (text[2] == '\\' || text[2] == '/');
}

std::optional<std::filesystem::path> HostPathOf(std::string_view path) {
    if (path.starts_with('/')) {
        return std::filesystem::path(path);
    }
    if (!IsWindowsPath(path)) {
        return std::nullopt;
    }
    return platform::CurrentMachine().paths().ToHost(path);
}

std::string WindowsPathOf(const std::filesystem::path& hostPath) {
    return platform::CurrentMachine().paths().ToWindows(hostPath);
}

}  // namespace frontend
