#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/file_errors.h"
#include "platform/path_mapper.h"

// The machine's folders, addressed by Windows paths. Results are Win32 error codes.
namespace platform {

struct FolderFile {
    std::string name;
    std::string path;  // Windows path
};

class Folders {
  public:
    explicit Folders(const PathMapper& paths) : paths_(paths) {}

    bool Exists(std::string_view path) const;
    // Fails with ERROR_ALREADY_EXISTS when something of that name is there, with
    // ERROR_PATH_NOT_FOUND when the folder above it is missing, and in a read-only folder.
    long Create(std::string_view path) const;
    // Copies the folder's whole contents into the folder to (made when missing). Existing files are
    // overwritten only with overwrite, and never read-only or hidden ones. Links are copied as
    // links, never followed. Goes on past a failing item and returns the first failure.
    long Copy(std::string_view from, std::string_view to, bool overwrite) const;
    // Deletes the folder with everything in it, not following links out of it. Read-only items
    // stop it unless forced; files a process holds always do. Deletes what it can and returns the
    // first failure.
    long Delete(std::string_view path, bool force) const;
    // The files directly in a folder (hidden ones too, no sub-folders), by name without case.
    long ListFiles(std::string_view path, std::vector<FolderFile>* files) const;

  private:
    const PathMapper& paths_;
};

}  // namespace platform
