#pragma once

#include <sys/stat.h>

#include <cstdint>
#include <filesystem>
#include <limits>
#include <span>
#include <string>
#include <string_view>

#include "platform/files_in_use.h"

// File operations on host paths with the outcomes Windows gives (Win32 error codes), including the
// refusals that Linux, and root above all, would not make by itself.
namespace platform {

inline constexpr std::size_t kNoReadLimit = std::numeric_limits<std::size_t>::max();

// Reads a regular file whole, links followed. A folder (ERROR_ACCESS_DENIED) or a FIFO, socket or
// device (ERROR_BAD_FILE_TYPE) is refused without being opened, so a read never blocks; a file of
// more than limit bytes gives ERROR_FILE_TOO_LARGE and no bytes.
long ReadHostFile(const std::filesystem::path& path, std::string* bytes,
                  std::size_t limit = kNoReadLimit);

// Reads an open descriptor to its end, appending to bytes: for files whose size the system does
// not tell, such as those of /proc. With shortReadEnds a read that returns less than asked is
// taken as the end without another read, which holds for the files of /proc (they fill what is
// asked until their end).
long ReadToEnd(int descriptor, std::string* bytes, bool shortReadEnds = false);

// Appends bytes, creating a missing file; a read-only file refuses.
long AppendToHostFile(const std::filesystem::path& path, std::string_view bytes);

// Replaces a file's whole content atomically (see PendingFile), keeping the mode and the Windows
// attributes of the file it replaces; a read-only file refuses.
long ReplaceHostFile(const std::filesystem::path& path, std::string_view bytes);
// The same with the content given as pieces, written one after the other.
long ReplaceHostFile(const std::filesystem::path& path, std::span<const std::string_view> pieces);

// Deletes a file (a link: the link itself). A folder, a read-only file (unless forced) and a file
// that a process holds refuse.
long DeleteHostFile(const std::filesystem::path& path, const FilesInUse& inUse, bool force);

// The same for the entry `name` of `folder` (a folder descriptor or AT_FDCWD), whose status (a link
// not followed) is given.
long DeleteFileAt(int folder, const char* name, const struct stat& status, const FilesInUse& inUse,
                  bool force);

// Copies a file over any existing one, as a new file put in place at once, with the source's mode,
// attributes and modification time. Like Windows, it refuses to overwrite a read-only, hidden or
// system file and to copy a file onto itself.
long CopyHostFile(const std::filesystem::path& from, const std::filesystem::path& to);

// Renames a file or folder; an existing target refuses (unless it is the same file under another
// letter case). Between drives a file is copied and the original deleted.
long MoveHostFile(const std::filesystem::path& from, const std::filesystem::path& to);

// Copies an open regular file, whose status is given, into the open file `to`: its content, then
// its mode, Windows attributes and times.
long CopyOpenFile(int from, const struct stat& status, int to);

long HostFileSize(const std::filesystem::path& path, std::uint64_t* size);

// ERROR_FILE_NOT_FOUND when path's folder exists, else ERROR_PATH_NOT_FOUND.
long MissingFileError(const std::filesystem::path& path);

}  // namespace platform
