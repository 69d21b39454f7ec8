#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_attributes.h"
#include "platform/file_errors.h"
#include "platform/host_files.h"
#include "platform/path_mapper.h"

// The machine's files, addressed by Windows paths. Results are Win32 error codes (ERROR_SUCCESS
// when the operation was done).
namespace platform {

enum class SearchScope {
    OrdinaryFiles,  // read-only and archive files count; hidden, system files do not
    WithHiddenAndSystem,
};

class Files {
  public:
    explicit Files(const PathMapper& paths) : paths_(paths) {}

    // A directory search for one path, as Windows makes it: the name of the file found (its own
    // letter case, so callers compare it without case), or nothing. Folders are never found. A last
    // component with "*" or "?" finds the first matching file.
    std::optional<std::string> FindFile(std::string_view path, SearchScope scope) const;

    std::optional<FileAttributes> Attributes(std::string_view path) const;

    // A regular file's bytes (see ReadHostFile: never a FIFO, socket or device, never more than
    // limit bytes).
    long ReadBytes(std::string_view path, std::string* bytes,
                   std::size_t limit = kNoReadLimit) const;
    // The lines of an 8-bit text file, as UTF-8.
    long ReadTextLines(std::string_view path, std::vector<std::string>* lines,
                       std::size_t limit = kNoReadLimit) const;

    // Appends text and CR LF as 8-bit text, creating a missing file.
    long AppendLine(std::string_view path, std::string_view text) const;
    // Replace a file's whole content in one step: the old content stays until the new one is safe.
    long ReplaceBytes(std::string_view path, std::string_view bytes) const;
    // The same with the content given as pieces, written one after the other.
    long ReplacePieces(std::string_view path, std::span<const std::string_view> pieces) const;
    long ReplaceTextLines(std::string_view path, const std::vector<std::string>& lines) const;

    // Refused for a read-only file and for a file a running process holds.
    long Delete(std::string_view path) const;
    // Fails when the target exists.
    long Rename(std::string_view from, std::string_view to) const;
    // Overwrites, but not a read-only, hidden or system file. Like every new file (AppendLine,
    // ReplaceBytes), the copy is refused in a read-only folder (platform/file_attributes.h).
    long Copy(std::string_view from, std::string_view to) const;
    long Size(std::string_view path, std::uint64_t* size) const;

  private:
    const PathMapper& paths_;
};

// The text after the last "\" or "/" (all of it when there is none).
std::string_view LastPathComponent(std::string_view path);

// Whether name matches a pattern of "*" (any run) and "?" (any one character), without case.
bool MatchesWildcard(std::string_view name, std::string_view pattern);

}  // namespace platform
