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
    // The files directly in a folder (hidden ones too, no sub-folders), by name without case.
    long ListFiles(std::string_view path, std::vector<FolderFile>* files) const;

  private:
    const PathMapper& paths_;
};

}  // namespace platform
