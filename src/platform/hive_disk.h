#pragma once

#include <optional>
#include <string>

// The file operations behind hive files: telling whether a file changed, reading it whole,
// checking that the account may write it, and replacing it so that a crash never leaves it half
// written.
namespace platform {

// What tells one state of a file from another: a rewrite changes its inode, size or time.
struct FileIdentity {
    unsigned long long device = 0;
    unsigned long long inode = 0;
    long long size = 0;
    long long modifiedSeconds = 0;
    long long modifiedNanoseconds = 0;
    bool operator==(const FileIdentity&) const = default;
};

// Nothing when the file does not exist.
std::optional<FileIdentity> IdentityOf(const std::string& path);

// The whole content; false with *error set when the file cannot be read.
bool ReadWholeFile(const std::string& path, std::string* content, std::string* error);

// Whether the account may write the file or folder: its owner's write bit is set (which even root
// respects here, as Windows' read-only attribute binds every account) and the system agrees.
bool OwnerMayWrite(const std::string& path);

// Replaces the file's content as a PendingFile, keeping the file's mode and owner (a new file
// takes its folder's owner); a file reached through a symbolic link is replaced where it lives. On
// failure the file is left as it was, and false is returned with *error set.
bool ReplaceFileAtomically(const std::string& path, const std::string& content, std::string* error);

}  // namespace platform
