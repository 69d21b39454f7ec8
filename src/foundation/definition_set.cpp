#include "foundation/definition_set.h"

#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>

#include "platform/application.h"
#include "platform/file_errors.h"
#include "platform/host_files.h"
#include "platform/machine.h"
#include "platform/pending_file.h"
#include "platform/text_lines.h"

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kManifestName = ".definition-set";
constexpr std::string_view kNewFileSuffix = ".next";

DefinitionSetHook& Hook() {
    static DefinitionSetHook hook;
    return hook;
}

long Injected(DefinitionSetStep step, std::string_view fileName = {}) {
    return Hook() ? Hook()(step, fileName) : platform::ERROR_SUCCESS;
}

std::optional<fs::path> ProgramHostFolder() {
    return platform::CurrentMachine().paths().ToHost(platform::ProgramFolder());
}

fs::path NewFilePath(const fs::path& folder, std::string_view fileName) {
    return folder / ("." + std::string(fileName) + std::string(kNewFileSuffix));
}

bool IsSetFile(std::string_view fileName) {
    return std::find(kDefinitionSetFiles.begin(), kDefinitionSetFiles.end(), fileName) !=
           kDefinitionSetFiles.end();
}

void RemoveNewFiles(const fs::path& folder) {
    bool removed = false;
    for (const std::string_view fileName : kDefinitionSetFiles) {
        removed |= ::unlink(NewFilePath(folder, fileName).c_str()) == 0;
    }
    if (removed) {
        platform::SyncFolder(folder);
    }
}

long Renamed(const fs::path& from, const fs::path& to) {
    return ::rename(from.c_str(), to.c_str()) == 0 ? platform::ERROR_SUCCESS
                                                   : platform::Win32ErrorFromErrno(errno);
}

// A folder, or a file the program must not change, where a definition file should be.
bool CannotBeReplaced(const fs::path& target) {
    struct stat status {};
    if (::stat(target.c_str(), &status) != 0) {
        return errno != ENOENT;
    }
    return !S_ISREG(status.st_mode) || (status.st_mode & S_IWUSR) == 0;
}

// Each file takes whole blocks, and a new file may need one more for its folder entry.
bool HasRoomFor(const fs::path& folder, const std::vector<DefinitionSetFile>& files) {
    struct statvfs disk {};
    if (::statvfs(folder.c_str(), &disk) != 0 || disk.f_bsize == 0) {
        return true;  // cannot tell: the writes will say
    }
    const unsigned long long block = disk.f_bsize;
    unsigned long long needed = block;  // the manifest
    for (const DefinitionSetFile& file : files) {
        unsigned long long size = 0;
        for (const std::string_view piece : file.pieces) {
            size += piece.size();
        }
        needed += (size + block - 1) / block * block + block;
    }
    return needed <= static_cast<unsigned long long>(disk.f_bavail) * disk.f_frsize;
}

long WriteNewFile(const fs::path& folder, const DefinitionSetFile& file) {
    if (const long injected = Injected(DefinitionSetStep::Write, file.fileName)) {
        return injected;
    }
    const fs::path newFile = NewFilePath(folder, file.fileName);
    if (const long written = platform::ReplaceHostFile(newFile, file.pieces)) {
        return written;
    }
    struct stat replaced {};
    if (::stat((folder / file.fileName).c_str(), &replaced) == 0) {
        ::chmod(newFile.c_str(), replaced.st_mode & 07777);  // the mode stays the old file's
    }
    return platform::ERROR_SUCCESS;
}

long RecordSet(const fs::path& folder, const std::vector<DefinitionSetFile>& files) {
    std::string names;
    for (const DefinitionSetFile& file : files) {
        names.append(file.fileName).append("\r\n");
    }
    platform::PendingFile manifest(folder / kManifestName);
    manifest.Write(names);
    if (const long injected = Injected(DefinitionSetStep::Record)) {
        return injected;
    }
    return manifest.Commit(true);
}

// Puts the new files of a recorded set in place; the manifest goes once every one is there. A new
// file missing was put in place before.
bool FinishRecordedSet(const fs::path& folder, const std::vector<std::string_view>& fileNames) {
    bool finished = true;
    for (const std::string_view fileName : fileNames) {
        const fs::path newFile = NewFilePath(folder, fileName);
        struct stat status {};
        if (::lstat(newFile.c_str(), &status) != 0) {
            continue;
        }
        if (Injected(DefinitionSetStep::Rename, fileName) != platform::ERROR_SUCCESS ||
            Renamed(newFile, folder / fileName) != platform::ERROR_SUCCESS) {
            finished = false;
        }
    }
    // The renames are made durable before the manifest that records them goes.
    platform::SyncFolder(folder);
    if (!finished || Injected(DefinitionSetStep::Close) != platform::ERROR_SUCCESS) {
        return false;
    }
    // Not flushed: should the removal be lost, the next start finds nothing left to rename.
    ::unlink((folder / kManifestName).c_str());
    return true;
}

DefinitionSetResult FailureOf(long status) {
    return status == platform::ERROR_DISK_FULL ? DefinitionSetResult::DiskFull
                                               : DefinitionSetResult::Failed;
}

}  // namespace

DefinitionSetResult ReplaceDefinitionSet(const std::vector<DefinitionSetFile>& files) {
    const std::optional<fs::path> folder = ProgramHostFolder();
    if (!folder) {
        return DefinitionSetResult::Failed;
    }
    for (const DefinitionSetFile& file : files) {
        if (!IsSetFile(file.fileName) || CannotBeReplaced(*folder / file.fileName)) {
            return DefinitionSetResult::Failed;
        }
    }
    struct stat recorded {};
    if (::lstat((*folder / kManifestName).c_str(), &recorded) == 0) {
        return DefinitionSetResult::Failed;  // a set whose renames failed waits for the next start
    }
    if (!HasRoomFor(*folder, files)) {
        return DefinitionSetResult::DiskFull;
    }
    RemoveNewFiles(*folder);
    for (const DefinitionSetFile& file : files) {
        if (const long written = WriteNewFile(*folder, file)) {
            RemoveNewFiles(*folder);
            return FailureOf(written);
        }
    }
    if (const long failed = RecordSet(*folder, files)) {
        RemoveNewFiles(*folder);
        return FailureOf(failed);
    }
    std::vector<std::string_view> fileNames;
    for (const DefinitionSetFile& file : files) {
        fileNames.push_back(file.fileName);
    }
    // Once recorded the set only goes forward: what a failed rename leaves, the next start ends.
    return FinishRecordedSet(*folder, fileNames) ? DefinitionSetResult::Replaced
                                                 : DefinitionSetResult::Failed;
}

void FinishDefinitionSet() {
    const std::optional<fs::path> folder = ProgramHostFolder();
    if (!folder) {
        return;
    }
    std::string manifest;
    const long read = platform::ReadHostFile(*folder / kManifestName, &manifest);
    if (read == platform::ERROR_FILE_NOT_FOUND) {
        RemoveNewFiles(*folder);  // never recorded: the old files stand
    }
    if (read != platform::ERROR_SUCCESS) {
        return;
    }
    std::vector<std::string_view> fileNames;
    for (const std::string_view line : platform::SplitCrLfLineViews(manifest)) {
        if (IsSetFile(line)) {
            fileNames.push_back(line);
        }
    }
    if (FinishRecordedSet(*folder, fileNames)) {
        RemoveNewFiles(*folder);  // none of the set: a manifest that named them all was damaged
    }
}

DefinitionSetHook SetDefinitionSetHookForTests(DefinitionSetHook hook) {
    return std::exchange(Hook(), std::move(hook));
}
