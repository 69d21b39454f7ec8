#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>

#include "platform/processes.h"

// Reading the processes of /proc, for everything that walks it: the running programs and the
// files they hold.
namespace platform {

// Nothing when the process has ended, even between the opening and the reading (a stream would
// throw there). One open, reads and a close: a listing reads hundreds of these.
std::optional<std::string> ReadProcFile(const std::string& path);
// /proc/<id>/<entry>
std::optional<std::string> ReadProcFile(ProcessId id, const char* entry);

// The target of /proc/<id>/exe without the mark of a deleted file; nothing when it cannot be read.
std::optional<std::string> ReadExeLink(ProcessId id);

// Calls take(id) for each process /proc lists; false when /proc cannot be listed.
bool ForEachListedId(const std::function<void(ProcessId)>& take);

// Whether a prefix a process names is the installation's folder. A listing meets the same few
// texts in hundreds of environments: each is compared with the folder on the disk once.
class PrefixFolderMatch {
  public:
    explicit PrefixFolderMatch(std::filesystem::path folder) : folder_(std::move(folder)) {}

    bool operator()(const std::filesystem::path& named);

  private:
    std::filesystem::path folder_;
    std::unordered_map<std::string, bool> answers_;
};

// Whether the process' environment makes Wine use the prefix; a process whose environment may not
// be read cannot be told to be one of its programs.
bool RunsForPrefix(ProcessId id, PrefixFolderMatch& isPrefix);

}  // namespace platform
