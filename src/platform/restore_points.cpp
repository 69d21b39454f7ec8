#include "platform/restore_points.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <optional>
#include <system_error>
#include <vector>

#include "platform/file_attributes.h"
#include "platform/file_errors.h"
#include "platform/host_files.h"
#include "platform/pending_file.h"
#include "platform/temporary_files.h"
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

// What a restore point is built under until it is whole: ".restore-point.tmp-XXXXXX".
constexpr std::string_view kBuildingName = "restore-point";

// A restore point's number is its folder's name; anything else in the folder is not one.
std::optional<std::int64_t> NumberOf(const fs::directory_entry& entry) {
    const std::string name = entry.path().filename().string();
    std::int64_t number = 0;
    const auto [last, failure] = std::from_chars(name.data(), name.data() + name.size(), number);
    if (failure != std::errc() || last != name.data() + name.size() || number <= 0) {
        return std::nullopt;
    }
    return number;
}

std::vector<std::int64_t> NumbersIn(const fs::path& folder) {
    std::vector<std::int64_t> numbers;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (const auto number = NumberOf(*it)) {
            numbers.push_back(*number);
        }
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

long MakeBuildingFolder(const fs::path& folder, fs::path* building) {
    std::error_code error;
    fs::create_directories(folder, error);
    if (IsReadOnlyFolder(folder)) {
        return ERROR_ACCESS_DENIED;
    }
    std::string pattern = TemporaryFilePattern(folder / kBuildingName, kPendingFileMarker);
    if (::mkdtemp(pattern.data()) == nullptr) {
        return Win32ErrorFromErrno(errno);
    }
    *building = pattern;
    return ERROR_SUCCESS;
}

// Gives the whole restore point the next number; a number another process took meanwhile is
// skipped.
long Number(const fs::path& folder, const fs::path& building, std::int64_t* number) {
    const auto numbers = NumbersIn(folder);
    for (std::int64_t next = numbers.empty() ? 1 : numbers.back() + 1;; ++next) {
        const long renamed = RenameWithoutReplacing(building, folder / std::to_string(next));
        if (renamed != ERROR_ALREADY_EXISTS) {
            *number = renamed == ERROR_SUCCESS ? next : 0;
            return renamed;
        }
    }
}

void KeepTheNewest(const fs::path& folder) {
    const auto numbers = NumbersIn(folder);
    for (std::size_t i = 0; i + kKeptRestorePoints < numbers.size(); ++i) {
        std::error_code error;
        fs::remove_all(folder / std::to_string(numbers[i]), error);
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

std::string NoteText(const Prefix& prefix, const RestorePointInfo& info, bool exported) {
    return "Description: " + CutToCharacters(info.description, kRestorePointDescriptionLimit) +
           "\nType: " + std::to_string(info.restorePointType) +
           "\nPrefix: " + prefix.root().string() + "\nBegan: " + FormatGeneralDate(LocalNow()) +
           "\nRegistry: " +
           (exported ? "exported through Wine, whose server held it (the keys the change touches)"
                     : "copies of the hive files") +
           "\n";
}

long BeginRestorePoint(const Prefix& prefix, const RestorePointInfo& info, Registry* registry,
                       const std::vector<RegRoot>& changing, std::int64_t* number) {
    *number = 0;
    const fs::path folder = RestorePointsFolder();
    fs::path building;
    if (const long status = MakeBuildingFolder(folder, &building)) {
        return status;
    }
    const std::optional<long> exported =
        registry ? registry->ExportWhileHeld(building, changing) : std::nullopt;
    long status = exported ? *exported : CopyHives(prefix, building);
    if (status == ERROR_SUCCESS) {
        status = ReplaceHostFile(building / kRestorePointNoteName,
                                 NoteText(prefix, info, exported.has_value()));
    }
    if (status == ERROR_SUCCESS) {
        status = Number(folder, building, number);
    }
    std::error_code error;
    if (status != ERROR_SUCCESS) {
        fs::remove_all(building, error);  // a snapshot without all its hives would mislead
        return status;
    }
    KeepTheNewest(folder);
    return ERROR_SUCCESS;
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

bool SetRestorePoint(const Prefix& prefix, const RestorePointInfo& info, StateMgrStatus* status,
                     Registry* registry, const std::vector<RegRoot>& changing) {
    status->sequenceNumber = 0;
    if (info.eventType == BEGIN_SYSTEM_CHANGE) {
        status->status =
            BeginRestorePoint(prefix, info, registry, changing, &status->sequenceNumber);
    } else if (info.eventType == END_SYSTEM_CHANGE) {
        status->status = EndRestorePoint(info.sequenceNumber);
        status->sequenceNumber = info.sequenceNumber;
    } else {
        status->status = ERROR_INVALID_PARAMETER;
    }
    return status->status == ERROR_SUCCESS;
}

void RemoveIncompleteRestorePoints() {
    std::error_code error;
    const fs::path folder = RestorePointsFolder();
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::error_code entryError;
        if (it->symlink_status(entryError).type() == fs::file_type::directory &&
            IsTemporaryFileName(it->path().filename().string(), kPendingFileMarker,
                                kBuildingName)) {
            fs::remove_all(it->path(), entryError);
        }
    }
}

}  // namespace platform
