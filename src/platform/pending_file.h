#pragma once

#include <filesystem>
#include <string_view>

// A file's new content, written into a temporary file beside it and put in place in one rename, so
// that a crash or a full disk never leaves a half-written file behind: readers see the old content
// or the new one.
namespace platform {

class PendingFile {
  public:
    explicit PendingFile(std::filesystem::path target);
    ~PendingFile();  // a temporary file that was not committed is removed
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    // ERROR_SUCCESS while everything so far worked; the first failure otherwise.
    long status() const { return status_; }
    int descriptor() const { return descriptor_; }

    long Write(std::string_view bytes);
    // Flushes the content to the disk and renames it over the target; with replaceExisting false
    // an existing target makes it fail with ERROR_ALREADY_EXISTS.
    long Commit(bool replaceExisting);

  private:
    long Fail(long status);

    std::filesystem::path target_;
    std::filesystem::path temporary_;
    int descriptor_ = -1;
    long status_;
    bool committed_ = false;
};

// Writes every byte to a descriptor, going on after short writes and interruptions.
long WriteAll(int descriptor, std::string_view bytes);

// Renames without ever replacing an existing entry; ERROR_ALREADY_EXISTS when one is there.
long RenameWithoutReplacing(const std::filesystem::path& from, const std::filesystem::path& to);

}  // namespace platform
