#pragma once

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <optional>

// The Windows attributes of a host file, as Wine presents them.
namespace platform {

inline constexpr std::uint32_t FILE_ATTRIBUTE_READONLY = 0x01;
inline constexpr std::uint32_t FILE_ATTRIBUTE_HIDDEN = 0x02;
inline constexpr std::uint32_t FILE_ATTRIBUTE_SYSTEM = 0x04;
inline constexpr std::uint32_t FILE_ATTRIBUTE_DIRECTORY = 0x10;
inline constexpr std::uint32_t FILE_ATTRIBUTE_ARCHIVE = 0x20;

struct FileAttributes {
    bool directory = false;
    bool readOnly = false;  // the owner has no write bit
    bool hidden = false;    // DOSATTRIB bit 0x2, or without that attribute a leading dot
    bool system = false;    // DOSATTRIB bit 0x4
};

// Nothing when no file or folder is there.
std::optional<FileAttributes> ReadFileAttributes(const std::filesystem::path& hostPath);

// Read-only is the owner's missing write bit, also for root (the program usually runs as root, to
// whom the bits themselves deny nothing), just as the Windows attribute holds for every account.
bool IsReadOnlyMode(mode_t mode);

// Whether a folder takes no new entries because it is read-only in that sense: a file or folder
// made in it, or a file replaced through a new one beside it, is refused.
bool IsReadOnlyFolder(const std::filesystem::path& folder);

// Wine's "user.DOSATTRIB" extended attribute: the attribute bits as "0x<hex>" text. Nothing when
// the file has none or it cannot be read.
std::optional<std::uint32_t> ReadDosAttributeBits(const std::filesystem::path& hostPath);
std::optional<std::uint32_t> ReadDosAttributeBits(int descriptor);
bool WriteDosAttributeBits(const std::filesystem::path& hostPath, std::uint32_t bits);
bool WriteDosAttributeBits(int descriptor, std::uint32_t bits);

}  // namespace platform
