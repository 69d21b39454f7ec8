#include "platform/files_in_use.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cctype>
#include <charconv>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "platform/procfs_reading.h"
#include "platform/text_lines.h"
#include "platform/wine_process.h"

namespace platform {
namespace {

std::vector<std::string_view> Fields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t pos = 0;
    while (pos < line.size()) {
        while (pos < line.size() && std::isspace(static_cast<unsigned char>(line[pos]))) {
            ++pos;
        }
        std::size_t end = pos;
        while (end < line.size() && !std::isspace(static_cast<unsigned char>(line[end]))) {
            ++end;
        }
        if (end > pos) {
            fields.push_back(line.substr(pos, end - pos));
        }
        pos = end;
    }
    return fields;
}

template <typename Number>
bool ParseNumber(std::string_view text, Number& value, int base) {
    const char* end = text.data() + text.size();
    const auto [next, error] = std::from_chars(text.data(), end, value, base);
    return error == std::errc() && next == end && !text.empty();
}

// "fd:01" (hex major and minor) as the device number.
bool ParseDevice(std::string_view text, dev_t& device) {
    const std::size_t colon = text.find(':');
    unsigned major = 0;
    unsigned minor = 0;
    if (colon == std::string_view::npos || !ParseNumber(text.substr(0, colon), major, 16) ||
        !ParseNumber(text.substr(colon + 1), minor, 16)) {
        return false;
    }
    device = makedev(major, minor);
    return true;
}

// A process Wine runs for the prefix, or the prefix's Wine server, which keeps open the files its
// programs opened.
bool IsProgramOfPrefix(ProcessId id, std::string_view maps, PrefixFolderMatch& isPrefix) {
    const std::optional<std::string> exe = ReadExeLink(id);
    return exe &&
           (IsWineProcess(*exe, maps) ||
            std::filesystem::path(*exe).filename().string().starts_with("wineserver")) &&
           RunsForPrefix(id, isPrefix);
}

}  // namespace

void FilesInUse::AddMapsLine(std::string_view line) {
    // address perms offset device inode [path]
    const auto fields = Fields(line);
    dev_t device = 0;
    ino_t inode = 0;
    if (fields.size() >= 5 && ParseDevice(fields[3], device) && ParseNumber(fields[4], inode, 10) &&
        inode != 0) {
        files_.emplace(device, inode);
    }
}

void FilesInUse::AddLocksLine(std::string_view line) {
    // "1: POSIX ADVISORY WRITE 1234 fd:01:5678 0 EOF"; waiting locks carry an extra "->".
    for (const auto field : Fields(line)) {
        const std::size_t lastColon = field.rfind(':');
        dev_t device = 0;
        ino_t inode = 0;
        if (lastColon != std::string_view::npos && lastColon > 0 && field.find(':') < lastColon &&
            ParseDevice(field.substr(0, lastColon), device) &&
            ParseNumber(field.substr(lastColon + 1), inode, 10)) {
            files_.emplace(device, inode);
            return;
        }
    }
}

void FilesInUse::AddOpenFiles(const std::filesystem::path& descriptorFolder) {
    std::error_code error;
    for (std::filesystem::directory_iterator it(descriptorFolder, error), end; !error && it != end;
         it.increment(error)) {
        struct stat status {};
        // The descriptor's link leads to the open file itself, whatever its name is now.
        if (::stat(it->path().c_str(), &status) == 0 && S_ISREG(status.st_mode)) {
            files_.emplace(status.st_dev, status.st_ino);
        }
    }
}

FilesInUse FilesInUse::Snapshot(const std::filesystem::path& prefixFolder) {
    FilesInUse snapshot;
    const auto self = static_cast<ProcessId>(::getpid());
    PrefixFolderMatch isPrefix(prefixFolder);
    ForEachListedId([&](ProcessId id) {
        const std::string maps = ReadProcFile(id, "maps").value_or("");
        for (const std::string_view line : SplitTextLineViews(maps)) {
            snapshot.AddMapsLine(line);
        }
        if (!prefixFolder.empty() && id != self && IsProgramOfPrefix(id, maps, isPrefix)) {
            snapshot.AddOpenFiles("/proc/" + std::to_string(id) + "/fd");
        }
    });
    const std::string locks = ReadProcFile("/proc/locks").value_or("");
    for (const std::string_view line : SplitTextLineViews(locks)) {
        snapshot.AddLocksLine(line);
    }
    return snapshot;
}

bool FilesInUse::Contains(const std::filesystem::path& hostPath) const {
    struct stat status {};
    return ::lstat(hostPath.c_str(), &status) == 0 && Contains(status.st_dev, status.st_ino);
}

bool FilesInUse::Contains(dev_t device, ino_t inode) const {
    return files_.count({device, inode}) != 0;
}

}  // namespace platform
