#include "qt/image_files.h"

#include <array>
#include <system_error>

#include "platform/application.h"
#include "qt/host_paths.h"

namespace fs = std::filesystem;

namespace frontend {
namespace {

bool IsFile(const fs::path& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);
}

std::optional<fs::path> ExistingFile(const std::optional<fs::path>& path) {
    if (path && IsFile(*path)) {
        return path;
    }
    return std::nullopt;
}

}  // namespace

std::optional<fs::path> FindImageFile(const forms::ImageId& id) {
    if (id.empty()) {
        return std::nullopt;
    }
    if (id.starts_with('/') || IsWindowsPath(id)) {
        return ExistingFile(HostPathOf(id));
    }
    const std::optional<fs::path> folder = HostPathOf(platform::ProgramFolder() + "\\images");
    if (!folder) {
        return std::nullopt;
    }
    const fs::path named = *folder / id;
    if (IsFile(named)) {
        return named;
    }
    constexpr std::array kExtensions = {".png", ".ico", ".svg", ".bmp", ".gif", ".jpg"};
    for (const char* extension : kExtensions) {
        fs::path candidate = named;
        candidate += extension;
        if (IsFile(candidate)) {
            return candidate;
        }
    }
    return std::nullopt;
}

}  // namespace frontend
