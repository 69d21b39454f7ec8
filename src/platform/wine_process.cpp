#include "platform/wine_process.h"

#include <algorithm>
#include <array>
#include <string>

namespace platform {
namespace {

// The value of one variable of an environment block, nothing when it is not set.
std::optional<std::string_view> Variable(std::string_view environment, std::string_view name) {
    while (!environment.empty()) {
        const std::size_t end = std::min(environment.find('\0'), environment.size());
        const std::string_view entry = environment.substr(0, end);
        if (entry.starts_with(name) && entry.substr(name.size()).starts_with('=')) {
            return entry.substr(name.size() + 1);
        }
        environment.remove_prefix(std::min(end + 1, environment.size()));
    }
    return std::nullopt;
}

std::string_view FileNameOf(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

// Whether some line of a maps text ends in the file name.
bool MapsFile(std::string_view maps, std::string_view fileName) {
    const std::string suffix = "/" + std::string(fileName);
    for (std::size_t at = maps.find(suffix); at != std::string_view::npos;
         at = maps.find(suffix, at + 1)) {
        const std::size_t end = at + suffix.size();
        if (end == maps.size() || maps[end] == '\n') {
            return true;
        }
    }
    return false;
}

}  // namespace

bool IsWineLoader(std::string_view exeLink) {
    static constexpr std::array<std::string_view, 4> kWineLoaders = {
        "wine", "wine64", "wine-preloader", "wine64-preloader"};
    return std::ranges::find(kWineLoaders, FileNameOf(exeLink)) != kWineLoaders.end();
}

bool IsWineProcess(std::string_view exeLink, std::string_view maps) {
    return IsWineLoader(exeLink) || MapsFile(maps, "ntdll.so");
}

std::optional<std::filesystem::path> WinePrefixOf(std::string_view environment,
                                                  const std::filesystem::path& homeFolder) {
    if (const std::optional<std::string_view> prefix = Variable(environment, "WINEPREFIX")) {
        // Wine refuses to start with a prefix that is not an absolute path.
        if (!prefix->starts_with('/')) {
            return std::nullopt;
        }
        return std::filesystem::path(*prefix);
    }
    const std::optional<std::string_view> home = Variable(environment, "HOME");
    return (home && !home->empty() ? std::filesystem::path(*home) : homeFolder) / ".wine";
}

}  // namespace platform
