#include "engine/quarantine.h"

#include <sys/stat.h>

#include <filesystem>
#include <system_error>

#include "engine/process_stopping.h"
#include "engine/quarantine_log.h"
#include "forms/host.h"
#include "foundation/file_queries.h"
#include "foundation/path_text.h"
#include "foundation/registry_access.h"
#include "platform/held_entry.h"
#include "platform/machine.h"
#include "platform/text_case.h"

namespace fs = std::filesystem;
using platform::HeldEntry;

namespace {

constexpr int kDeletionPasses = 8;
constexpr std::string_view kPartialCopySuffix = ".partial";

platform::Machine& Machine() {
    return platform::CurrentMachine();
}

// A directory search for path finds an ordinary file called name (letter case aside).
bool IsFileAt(std::string_view path, std::string_view name) {
    const auto found = Machine().files().FindFile(path, platform::SearchScope::OrdinaryFiles);
    return found && platform::EqualsIgnoringCase(*found, name);
}

// The quarantine folder as the host finds it, links followed.
std::optional<fs::path> QuarantineHostFolder() {
    const auto host = Machine().paths().ToHost(QuarantineFolder());
    if (!host) {
        return std::nullopt;
    }
    std::error_code error;
    const fs::path resolved = fs::weakly_canonical(*host, error);
    return error ? *host : resolved;
}

platform::FilesInUse FilesInUseNow() {
    return platform::FilesInUse::Snapshot(Machine().prefix().root());
}

bool IsFolder(const HeldEntry& entry) {
    return entry.opened() && S_ISDIR(entry.opened()->st_mode);
}

// The quarantine's entry whose name equals candidate without letter case, as Windows finds it.
std::optional<std::string> TakenInQuarantine(const fs::path& quarantine,
                                             const std::string& candidate) {
    return platform::FindEntryIgnoringCase(quarantine, candidate);
}

// A file's copy in the quarantine folder.
struct QuarantineCopy {
    std::string name;      // as it stands in the folder
    bool madeNow = false;  // false: the same content stood there already
};

std::optional<QuarantineCopy> SecureCopyOf(const HeldEntry& entry) {
    const auto quarantine = QuarantineHostFolder();
    if (!quarantine) {
        return std::nullopt;
    }
    for (int attempt = 0;; ++attempt) {
        const std::string candidate = QuarantineNameCandidate(entry.name(), attempt);
        if (const auto taken = TakenInQuarantine(*quarantine, candidate)) {
            switch (platform::CompareHeldFile(entry, *quarantine / *taken)) {
                case platform::FileComparison::Same:
                    return QuarantineCopy{*taken, false};
                case platform::FileComparison::SameEntry:
                    return std::nullopt;  // the file is that copy: it is not its own copy
                case platform::FileComparison::Different:
                case platform::FileComparison::Unreadable:
                    continue;
            }
        }
        const long copied = platform::CopyHeldFile(entry, *quarantine, candidate);
        if (copied == platform::ERROR_SUCCESS) {
            return QuarantineCopy{candidate, true};
        }
        if (copied != platform::ERROR_ALREADY_EXISTS) {
            return std::nullopt;
        }
    }
}

void DeletePartialCopy(const fs::path& partial) {
    if (const auto held = HeldEntry::Open(partial); held && IsFolder(*held)) {
        platform::DeleteHeldFolder(*held, platform::FilesInUse());
    }
}

// The folder lands under the first free name, moved there in one rename when the quarantine lies
// on its file system. Otherwise it is copied under a hidden name that becomes its own only when
// the copy is whole, so that a copy cut short (a full disk, the program killed) never stands in
// the quarantine as if it were whole; the original goes only then. A folder holding a file in use
// or a FIFO, socket or device stays as it is.
void QuarantineFolderTree(const HeldEntry& folder) {
    const auto quarantine = QuarantineHostFolder();
    const platform::FilesInUse inUse = FilesInUseNow();
    if (!quarantine || platform::CheckHeldFolder(folder, inUse) != platform::ERROR_SUCCESS) {
        return;
    }
    std::string candidate;
    for (int attempt = 0;; ++attempt) {
        candidate = QuarantineNameCandidate(folder.name(), attempt);
        if (TakenInQuarantine(*quarantine, candidate)) {
            continue;
        }
        const long moved = platform::MoveHeldEntry(folder, *quarantine, candidate);
        if (moved == platform::ERROR_SUCCESS) {
            return;
        }
        if (moved != platform::ERROR_ALREADY_EXISTS) {
            break;  // another file system, or a rename refused: copy it
        }
    }
    const fs::path partial = *quarantine / PartialFolderCopyName(candidate);
    DeletePartialCopy(partial);  // left by a copy that was cut short
    const long copied = platform::CopyHeldFolder(folder, *quarantine, partial.filename().string());
    const auto whole = copied == platform::ERROR_SUCCESS ? HeldEntry::Open(partial) : std::nullopt;
    if (!whole ||
        platform::MoveHeldEntry(*whole, *quarantine, candidate) != platform::ERROR_SUCCESS) {
        DeletePartialCopy(partial);  // the original stays
        return;
    }
    platform::DeleteHeldFolder(folder, inUse);
}

// The one entry a file gets in the quarantine log from a removal: written once the removal has
// made the file's copy or deleted the file, whichever comes first, and never twice.
class FileLogEntry {
  public:
    explicit FileLogEntry(std::string_view path) : path_(path) {}

    // The file's copy is in place; one made just now is a copy this removal took.
    void Copied(const QuarantineCopy& copy) {
        copyName_ = copy.name;
        if (copy.madeNow) {
            Write();
        }
    }
    // Deletes the held file (only ever after its copy is in place); whether it went.
    bool Delete(const HeldEntry& entry) {
        const bool deleted =
            platform::DeleteHeldFile(entry, FilesInUseNow(), false) == platform::ERROR_SUCCESS;
        if (deleted) {
            Write();
        }
        return deleted;
    }

  private:
    void Write() {
        if (!written_) {
            LogQuarantinedFile(path_, copyName_);
            written_ = true;
        }
    }

    std::string path_;
    std::string copyName_;
    bool written_ = false;
};

int QuarantineModule(std::string_view path, const RemovalCheck& check, std::int32_t windowHandle,
                     FileLogEntry& log) {
    if (path.find('\\') == std::string_view::npos) {
        return kFileNotRemoved;
    }
    if (!FileExists(path)) {
        return kFileNotPresent;
    }
    const auto& entry = check.entry;
    if (!entry || IsFolder(*entry)) {
        return kFileNotRemoved;
    }
    RegisterServer(windowHandle, path, false);
    const auto copy = SecureCopyOf(*entry);
    if (!copy) {
        return kFileNotRemoved;
    }
    log.Copied(*copy);
    return log.Delete(*entry) ? kFileRemoved : kFileNotRemoved;
}

bool QuarantineAnyPath(std::string_view path, const RemovalCheck& check, FileLogEntry& log) {
    if (path.find('\\') == std::string_view::npos) {
        return false;
    }
    if (!FileExists(path) && !FolderExists(path)) {
        return false;
    }
    const auto& entry = check.entry;
    if (!entry) {
        return true;  // there, but not for a removal to take
    }
    if (IsFolder(*entry)) {
        QuarantineFolderTree(*entry);
        return true;
    }
    const auto copy = SecureCopyOf(*entry);
    if (copy) {
        log.Copied(*copy);
    }
    for (int pass = 1; pass <= kDeletionPasses; ++pass) {
        if (copy) {
            log.Delete(*entry);
        }
        forms::DoEvents();
    }
    return true;
}

}  // namespace

std::string QuarantineNameCandidate(std::string_view name, int attempt) {
    std::string candidate(name);
    if (attempt > 0) {
        candidate += "." + std::to_string(attempt);
    }
    return candidate;
}

std::string PartialFolderCopyName(std::string_view name) {
    return "." + std::string(name) + std::string(kPartialCopySuffix);
}

bool IsPartialFolderCopyName(std::string_view name) {
    return name.size() > 1 + kPartialCopySuffix.size() && name.starts_with('.') &&
           name.ends_with(kPartialCopySuffix);
}

bool QuarantineFile(std::string_view path, const RemovalCheck& check, std::string_view name) {
    if (!IsFileAt(path, name)) {
        return false;
    }
    const auto& entry = check.entry;
    if (!entry || IsFolder(*entry)) {
        return false;
    }
    FileLogEntry log(path);
    bool deletionTried = false;
    std::optional<QuarantineCopy> copy;
    for (int pass = 1; pass <= kDeletionPasses; ++pass) {
        if (entry->StillTheSame()) {
            if (!copy && (copy = SecureCopyOf(*entry))) {
                log.Copied(*copy);
            }
            if (copy) {
                log.Delete(*entry);
                deletionTried = true;
            }
        }
        forms::DoEvents();
    }
    return deletionTried;
}

int StopAndQuarantineFile(std::string_view path, const RemovalCheck& check) {
    const std::size_t separator = path.rfind('\\');
    if (separator == std::string_view::npos) {
        return kFileNotRemoved;
    }
    const std::string_view name = path.substr(separator + 1);
    if (!IsFileAt(path, name)) {
        return kFileNotPresent;
    }
    if (!check.entry) {
        return kFileNotRemoved;  // no program is stopped for a file the removal may not take
    }
    if (!KillProcessByName(std::string(name))) {
        return kProgramStillRunning;
    }
    return QuarantineFile(path, check, name) ? kFileRemoved : kFileNotRemoved;
}

int QuarantineAndDeleteModule(std::string_view path, const RemovalCheck& check,
                              std::int32_t windowHandle) {
    FileLogEntry log(path);
    return QuarantineModule(path, check, windowHandle, log);
}

bool QuarantinePath(std::string_view path, const RemovalCheck& check) {
    FileLogEntry log(path);
    return QuarantineAnyPath(path, check, log);
}

void QuarantineLibrary(std::string_view path, const RemovalCheck& check,
                       std::int32_t windowHandle) {
    FileLogEntry log(path);
    QuarantineModule(path, check, windowHandle, log);
    QuarantineAnyPath(path, check, log);
}

void QuarantineAndKillFile(std::string_view path, const RemovalCheck& check) {
    const auto& entry = check.entry;
    const auto copy = entry && !IsFolder(*entry) ? SecureCopyOf(*entry) : std::nullopt;
    if (copy) {
        FileLogEntry log(path);
        log.Copied(*copy);
        log.Delete(*entry);
    }
}
