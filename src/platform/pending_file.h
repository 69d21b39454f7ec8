#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "platform/temporary_files.h"

// A file's new content, written into a temporary file beside it and put in place in one rename, so
// that a crash or a full disk never leaves a half-written file behind: readers see the old content
// or the new one. Every file the program replaces is written this way: the temporary file is
// opened close-on-exec, flushed to the disk before the rename, and the folder is flushed after it.
namespace platform {

class PendingFile {
  public:
    // marker: what the temporary file's name carries, so that the next start can tell a killed
    // process' leftovers by it (see temporary_files.h).
    explicit PendingFile(std::filesystem::path target,
                         std::string_view marker = kPendingFileMarker);
    ~PendingFile();  // a temporary file that was not committed is removed
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    // ERROR_SUCCESS while everything so far worked; the first failure otherwise.
    long status() const { return status_; }
    // What the first failure was, with the file and the system's reason; "" while none.
    const std::string& failure() const { return failure_; }
    int descriptor() const { return descriptor_; }

    long Write(std::string_view bytes);
    // Flushes the content to the disk and renames it over the target; with replaceExisting false
    // an existing target makes it fail with ERROR_ALREADY_EXISTS.
    long Commit(bool replaceExisting);

  private:
    long Fail(long status, std::string_view what, const std::filesystem::path& path);

    std::filesystem::path target_;
    std::filesystem::path temporary_;
    int descriptor_ = -1;
    long status_;
    std::string failure_;
    bool committed_ = false;
};

// Tests only: runs when a pending file is complete, just before its rename; returning false makes
// the commit fail there, as a crash at that moment would.
void SetBeforeRenameHookForTests(std::function<bool(const std::string& temporaryPath)> hook);

// The folder a file lies in: its parent, or "." for a bare name.
std::filesystem::path FolderOf(const std::filesystem::path& path);

// Flushes a folder's entries (a rename in it) to the disk.
void SyncFolder(const std::filesystem::path& folder);

// Writes every byte to a descriptor, going on after short writes and interruptions.
long WriteAll(int descriptor, std::string_view bytes);

// Renames without ever replacing an existing entry; ERROR_ALREADY_EXISTS when one is there.
long RenameWithoutReplacing(const std::filesystem::path& from, const std::filesystem::path& to);
// The same for names in folders given as descriptors (or AT_FDCWD).
long RenameWithoutReplacing(int fromFolder, const char* fromName, int toFolder, const char* toName);

}  // namespace platform
