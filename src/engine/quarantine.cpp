#include "engine/quarantine.h"

#include "engine/process_stopping.h"
#include "engine/quarantine_log.h"
#include "forms/host.h"
#include "foundation/file_queries.h"
#include "foundation/path_text.h"
#include "foundation/registry_access.h"
#include "platform/machine.h"
#include "platform/text_case.h"

namespace {

constexpr int kDeletionPasses = 8;
constexpr std::string_view kPartialCopySuffix = ".partial";

const platform::Files& Files() {
    return platform::CurrentMachine().files();
}

const platform::Folders& Folders() {
    return platform::CurrentMachine().folders();
}

// A directory search for path finds an ordinary file called name (letter case aside).
bool IsFileAt(std::string_view path, std::string_view name) {
    const auto found = Files().FindFile(path, platform::SearchScope::OrdinaryFiles);
    return found && platform::EqualsIgnoringCase(*found, name);
}

bool HasSameContent(std::string_view first, std::string_view second) {
    std::string a;
    std::string b;
    return Files().ReadBytes(first, &a) == platform::ERROR_SUCCESS &&
           Files().ReadBytes(second, &b) == platform::ERROR_SUCCESS && a == b;
}

bool IsTakenInQuarantine(const std::string& name) {
    return Files().Attributes(QuarantineFolder() + "\\" + name).has_value();
}

std::string_view WithoutTrailingBackslash(std::string_view path) {
    if (!path.empty() && path.back() == '\\') {
        path.remove_suffix(1);
    }
    return path;
}

// The folder lands under the first free name; the original goes only once its copy is whole. The
// copy is made under a hidden name and takes its own name only when complete, so that a copy cut
// short (a full disk, the program killed) never stands in the quarantine as if it were whole.
void QuarantineFolderTree(std::string_view folder, std::string_view name) {
    int attempt = 0;
    while (IsTakenInQuarantine(QuarantineNameCandidate(name, attempt))) {
        ++attempt;
    }
    const std::string candidate = QuarantineNameCandidate(name, attempt);
    const std::string copy = QuarantineFolder() + "\\" + candidate;
    const std::string partial = QuarantineFolder() + "\\" + PartialFolderCopyName(candidate);
    Folders().Delete(partial, true);  // left by a copy that was cut short
    if (Folders().Copy(folder, partial, false) != platform::ERROR_SUCCESS ||
        Files().Rename(partial, copy) != platform::ERROR_SUCCESS) {
        Folders().Delete(partial, true);  // the original stays
        return;
    }
    Folders().Delete(folder, true);
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
    // Deletes the file (only ever after its copy is in place); whether it went.
    bool Delete() {
        const bool deleted = Files().Delete(path_) == platform::ERROR_SUCCESS;
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

int QuarantineModule(std::string_view path, std::int32_t windowHandle, FileLogEntry& entry) {
    if (path.find('\\') == std::string_view::npos) {
        return kFileNotRemoved;
    }
    if (!FileExists(path)) {
        return kFileNotPresent;
    }
    RegisterServer(windowHandle, path, false);
    const auto copy = SecureQuarantineCopy(path);
    if (!copy) {
        return kFileNotRemoved;
    }
    entry.Copied(*copy);
    return entry.Delete() ? kFileRemoved : kFileNotRemoved;
}

bool QuarantineAnyPath(std::string_view path, FileLogEntry& entry) {
    if (path.find('\\') == std::string_view::npos) {
        return false;
    }
    const std::string_view withoutSeparator = WithoutTrailingBackslash(path);
    const std::string name = GetFileNameFromPath(withoutSeparator);
    if (!FileExists(path)) {
        if (!FolderExists(path)) {
            return false;
        }
        QuarantineFolderTree(withoutSeparator, name);
        return true;
    }
    const auto copy = SecureQuarantineCopy(path);
    if (copy) {
        entry.Copied(*copy);
    }
    for (int pass = 1; pass <= kDeletionPasses; ++pass) {
        if (copy) {
            entry.Delete();
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

std::optional<QuarantineCopy> SecureQuarantineCopy(std::string_view path) {
    const std::string name = GetFileNameFromPath(path);
    for (int attempt = 0;; ++attempt) {
        const std::string candidate = QuarantineNameCandidate(name, attempt);
        const std::string target = QuarantineFolder() + "\\" + candidate;
        if (!IsTakenInQuarantine(candidate)) {
            if (Files().Copy(path, target) != platform::ERROR_SUCCESS) {
                return std::nullopt;
            }
            return QuarantineCopy{candidate, true};
        }
        if (HasSameContent(path, target)) {
            // the name as it stands in the folder
            return QuarantineCopy{Files()
                                      .FindFile(target, platform::SearchScope::WithHiddenAndSystem)
                                      .value_or(candidate),
                                  false};
        }
    }
}

bool QuarantineFile(std::string_view path, std::string_view name) {
    if (!IsFileAt(path, name)) {
        return false;
    }
    FileLogEntry entry(path);
    bool deletionTried = false;
    bool copied = false;
    for (int pass = 1; pass <= kDeletionPasses; ++pass) {
        if (IsFileAt(path, name)) {
            if (!copied) {
                if (const auto copy = SecureQuarantineCopy(path)) {
                    copied = true;
                    entry.Copied(*copy);
                }
            }
            if (copied) {
                entry.Delete();
                deletionTried = true;
            }
        }
        forms::DoEvents();
    }
    return deletionTried;
}

int StopAndQuarantineFile(std::string_view path) {
    const std::size_t separator = path.rfind('\\');
    if (separator == std::string_view::npos) {
        return kFileNotRemoved;
    }
    const std::string_view name = path.substr(separator + 1);
    if (!IsFileAt(path, name)) {
        return kFileNotPresent;
    }
    if (!KillProcessByName(std::string(name))) {
        return kProgramStillRunning;
    }
    return QuarantineFile(path, name) ? kFileRemoved : kFileNotRemoved;
}

int QuarantineAndDeleteModule(std::string_view path, std::int32_t windowHandle) {
    FileLogEntry entry(path);
    return QuarantineModule(path, windowHandle, entry);
}

bool QuarantinePath(std::string_view path) {
    FileLogEntry entry(path);
    return QuarantineAnyPath(path, entry);
}

void QuarantineLibrary(std::string_view path, std::int32_t windowHandle) {
    FileLogEntry entry(path);
    QuarantineModule(path, windowHandle, entry);
    QuarantineAnyPath(path, entry);
}

void QuarantineAndKillFile(std::string_view path) {
    if (const auto copy = SecureQuarantineCopy(path)) {
        FileLogEntry entry(path);
        entry.Copied(*copy);
        entry.Delete();
    }
}
