#include "platform/file_attributes.h"

#include <sys/stat.h>
#include <sys/xattr.h>

#include <array>
#include <charconv>
#include <string>
#include <string_view>

namespace platform {
namespace {

constexpr const char* kDosAttributeName = "user.DOSATTRIB";

std::optional<std::uint32_t> ParseDosAttributeText(std::string_view text) {
    while (!text.empty() && (text.back() == '\0' || text.back() == '\n')) {
        text.remove_suffix(1);
    }
    if (text.size() < 3 || text[0] != '0' || (text[1] != 'x' && text[1] != 'X')) {
        return std::nullopt;
    }
    std::uint32_t bits = 0;
    const char* end = text.data() + text.size();
    const auto [next, error] = std::from_chars(text.data() + 2, end, bits, 16);
    if (error != std::errc() || next != end) {
        return std::nullopt;
    }
    return bits;
}

std::string DosAttributeText(std::uint32_t bits) {
    std::array<char, 16> digits{};
    const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), bits, 16).ptr;
    return "0x" + std::string(digits.data(), end);
}

bool HasDotName(const std::filesystem::path& hostPath) {
    const std::string name = hostPath.filename().string();
    return !name.empty() && name[0] == '.' && name != "." && name != "..";
}

}  // namespace

bool IsReadOnlyMode(mode_t mode) {
    return (mode & S_IWUSR) == 0;
}

bool IsReadOnlyFolder(const std::filesystem::path& folder) {
    struct stat status {};
    return ::stat(folder.c_str(), &status) == 0 && S_ISDIR(status.st_mode) &&
           IsReadOnlyMode(status.st_mode);
}

std::optional<std::uint32_t> ReadDosAttributeBits(const std::filesystem::path& hostPath) {
    std::array<char, 64> buffer{};
    const ssize_t size =
        ::getxattr(hostPath.c_str(), kDosAttributeName, buffer.data(), buffer.size());
    if (size <= 0) {
        return std::nullopt;
    }
    return ParseDosAttributeText(std::string_view(buffer.data(), static_cast<std::size_t>(size)));
}

std::optional<std::uint32_t> ReadDosAttributeBits(int descriptor) {
    std::array<char, 64> buffer{};
    const ssize_t size = ::fgetxattr(descriptor, kDosAttributeName, buffer.data(), buffer.size());
    if (size <= 0) {
        return std::nullopt;
    }
    return ParseDosAttributeText(std::string_view(buffer.data(), static_cast<std::size_t>(size)));
}

bool WriteDosAttributeBits(const std::filesystem::path& hostPath, std::uint32_t bits) {
    const std::string text = DosAttributeText(bits);
    return ::setxattr(hostPath.c_str(), kDosAttributeName, text.data(), text.size(), 0) == 0;
}

bool WriteDosAttributeBits(int descriptor, std::uint32_t bits) {
    const std::string text = DosAttributeText(bits);
    return ::fsetxattr(descriptor, kDosAttributeName, text.data(), text.size(), 0) == 0;
}

std::optional<FileAttributes> ReadFileAttributes(const std::filesystem::path& hostPath) {
    struct stat status {};
    if (::stat(hostPath.c_str(), &status) != 0 && ::lstat(hostPath.c_str(), &status) != 0) {
        return std::nullopt;
    }
    FileAttributes attributes;
    attributes.directory = S_ISDIR(status.st_mode);
    attributes.readOnly = IsReadOnlyMode(status.st_mode);
    if (const auto bits = ReadDosAttributeBits(hostPath)) {
        attributes.hidden = (*bits & FILE_ATTRIBUTE_HIDDEN) != 0;
        attributes.system = (*bits & FILE_ATTRIBUTE_SYSTEM) != 0;
    } else {
        attributes.hidden = HasDotName(hostPath);
    }
    return attributes;
}

}  // namespace platform
