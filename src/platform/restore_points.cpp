#include "platform/restore_points.h"

#include <sys/stat.h>

#include <cerrno>
#include <charconv>
#include <system_error>
#include <vector>

#include "platform/file_attributes.h"
#include "platform/file_errors.h"
#include "platform/host_files.h"
#include "platform/us_date.h"

namespace fs = std::filesystem;

namespace platform {
namespace {

bool IsUtf8Continuation(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

std::string CutToCharacters(const std::string& text, std::size_t limit) {
    std::size_t characters = 0;
    for (std::size_t position = 0; position < text.size(); ++position) {
        if (!IsUtf8Continuation(text[position]) && characters++ == limit) {
            return text.substr(0, position);
        }
    }
    return text;
}

// The restore points' numbers are their folder names; anything else in the folder is not one.
std::int64_t HighestNumberIn(const fs::path& folder) {
    std::int64_t highest = 0;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        std::int64_t number = 0;
        const auto [last, failure] =
            std::from_chars(name.data(), name.data() + name.size(), number);
        if (failure == std::errc() && last == name.data() + name.size() && number > highest) {
            highest = number;
        }
    }
    return highest;
}

// Makes the next numbered folder; a number another process took meanwhile is skipped.
long ReserveNextFolder(const fs::path& folder, std::int64_t* number) {
    std::error_code error;
    fs::create_directories(folder, error);
    if (IsReadOnlyFolder(folder)) {
        return ERROR_ACCESS_DENIED;
    }
    for (std::int64_t next = HighestNumberIn(folder) + 1;; ++next) {
        if (::mkdir((folder / std::to_string(next)).c_str(), 0700) == 0) {
            *number = next;
            return ERROR_SUCCESS;
        }
        if (errno != EEXIST) {
            return Win32ErrorFromErrno(errno);
        }
    }
}

long CopyHives(const Prefix& prefix, const fs::path& snapshot) {
    for (const fs::path& hive :
         {prefix.systemHive(), prefix.userHive(), prefix.defaultUserHive()}) {
        std::error_code error;
        if (!fs::exists(hive, error)) {
            continue;
        }
        std::string bytes;
        if (const long status = ReadHostFile(hive, &bytes)) {
            return status;
        }
        if (const long status = ReplaceHostFile(snapshot / hive.filename(), bytes)) {
            return status;
        }
    }
    return ERROR_SUCCESS;
}

std::string NoteText(const Prefix& prefix, const RestorePointInfo& info) {
    return "Description: " + CutToCharacters(info.description, kRestorePointDescriptionLimit) +
           "\nType: " + std::to_string(info.restorePointType) +
           "\nPrefix: " + prefix.root().string() + "\nBegan: " + FormatGeneralDate(LocalNow()) +
           "\n";
}

long BeginRestorePoint(const Prefix& prefix, const RestorePointInfo& info, std::int64_t* number) {
    const fs::path folder = RestorePointsFolder();
    if (const long status = ReserveNextFolder(folder, number)) {
        return status;
    }
    const fs::path snapshot = folder / std::to_string(*number);
    long status = CopyHives(prefix, snapshot);
    if (status == ERROR_SUCCESS) {
        status = ReplaceHostFile(snapshot / kRestorePointNoteName, NoteText(prefix, info));
    }
    if (status != ERROR_SUCCESS) {
        std::error_code error;
        fs::remove_all(snapshot, error);  // a snapshot without all its hives would mislead
        *number = 0;
    }
    return status;
}

long EndRestorePoint(std::int64_t number) {
    const fs::path note = RestorePointsFolder() / std::to_string(number) / kRestorePointNoteName;
    std::error_code error;
    if (number <= 0 || !fs::is_regular_file(note, error)) {
        return ERROR_INVALID_PARAMETER;
    }
    return AppendToHostFile(note, "Ended: " + FormatGeneralDate(LocalNow()) + "\n");
}

}  // namespace

fs::path RestorePointsFolder() {
    return PerUserDataFolder() / "restore-points";
}

bool RestorePointsSupported(const OsVersion& version) {
    if (version.platformId == VER_PLATFORM_WIN32_WINDOWS) {
        return version.minor == 90;
    }
    return version.platformId == VER_PLATFORM_WIN32_NT &&
           (version.major > 5 || (version.major == 5 && version.minor == 1));
}

bool SetRestorePoint(const Prefix& prefix, const RestorePointInfo& info, StateMgrStatus* status) {
    status->sequenceNumber = 0;
    if (info.eventType == BEGIN_SYSTEM_CHANGE) {
        status->status = BeginRestorePoint(prefix, info, &status->sequenceNumber);
    } else if (info.eventType == END_SYSTEM_CHANGE) {
        status->status = EndRestorePoint(info.sequenceNumber);
        status->sequenceNumber = info.sequenceNumber;
    } else {
        status->status = ERROR_INVALID_PARAMETER;
    }
    return status->status == ERROR_SUCCESS;
}

}  // namespace platform
