#include "platform/windows_path.h"

#include <cctype>

namespace platform {
namespace {

bool IsSeparator(char character) {
    return character == '\\' || character == '/';
}

bool IsDriveLetter(char character) {
    return std::isalpha(static_cast<unsigned char>(character)) != 0;
}

// Drops the "\\?\" and "\\.\" prefixes that only tell Windows not to rewrite the path.
std::string_view WithoutDevicePrefix(std::string_view text) {
    if (text.size() >= 4 && IsSeparator(text[0]) && IsSeparator(text[1]) &&
        (text[2] == '?' || text[2] == '.') && IsSeparator(text[3])) {
        return text.substr(4);
    }
    return text;
}

void ApplyComponent(std::vector<std::string>& components, std::string_view component) {
    if (component.empty() || component == ".") {
        return;
    }
    if (component == "..") {
        if (!components.empty()) {
            components.pop_back();
        }
        return;
    }
    components.emplace_back(component);
}

}  // namespace

bool HasDriveLetter(std::string_view text) {
    text = WithoutDevicePrefix(text);
    return text.size() >= 2 && IsDriveLetter(text[0]) && text[1] == ':';
}

bool IsRootedWithoutDrive(std::string_view text) {
    return !text.empty() && IsSeparator(text[0]) && !IsNetworkPath(text);
}

bool IsNetworkPath(std::string_view text) {
    return text.size() >= 2 && IsSeparator(text[0]) && IsSeparator(text[1]) &&
           !HasDriveLetter(text);
}

std::optional<WindowsPath> ParseWindowsPath(std::string_view text) {
    if (text.find('\0') != std::string_view::npos || !HasDriveLetter(text)) {
        return std::nullopt;
    }
    text = WithoutDevicePrefix(text);
    WindowsPath path;
    path.drive = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
    std::string_view rest = text.substr(2);
    while (!rest.empty()) {
        std::size_t end = 0;
        while (end < rest.size() && !IsSeparator(rest[end])) {
            ++end;
        }
        ApplyComponent(path.components, rest.substr(0, end));
        rest.remove_prefix(end < rest.size() ? end + 1 : end);
    }
    return path;
}

std::string FormatWindowsPath(const WindowsPath& path) {
    std::string text{path.drive, ':'};
    if (path.components.empty()) {
        return text + '\\';
    }
    for (const auto& component : path.components) {
        text += '\\';
        text += component;
    }
    return text;
}

}  // namespace platform
