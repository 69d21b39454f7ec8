#include "platform/folders.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <system_error>

#include "platform/file_attributes.h"
#include "platform/text_case.h"

namespace fs = std::filesystem;

namespace platform {
namespace {

// Keeps the first failure of a run of steps that each go on regardless.
class FirstFailure {
  public:
    void Note(long status) {
        if (status_ == ERROR_SUCCESS) {
            status_ = status;
        }
    }
    long status() const { return status_; }

  private:
    long status_ = ERROR_SUCCESS;
};

bool IsFolder(const fs::path& path) {
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

std::vector<fs::path> Entries(const fs::path& folder, FirstFailure& failure) {
    std::vector<fs::path> entries;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        entries.push_back(it->path());
    }
    if (error) {
        failure.Note(Win32ErrorFromErrno(error.value()));
    }
    return entries;
}

// A new folder; its parent must take new entries.
long MakeFolder(const fs::path& folder) {
    if (IsReadOnlyFolder(folder.parent_path())) {
        return ERROR_ACCESS_DENIED;
    }
    if (::mkdir(folder.c_str(), 0777) == 0) {
        return ERROR_SUCCESS;
    }
    return errno == ENOENT ? ERROR_PATH_NOT_FOUND : Win32ErrorFromErrno(errno);
}

std::string WithoutTrailingSeparators(std::string_view path) {
    while (path.size() > 1 && (path.back() == '\\' || path.back() == '/')) {
        path.remove_suffix(1);
    }
    return std::string(path);
}

}  // namespace

bool Folders::Exists(std::string_view path) const {
    const auto host = paths_.FindExisting(path);
    std::error_code error;
    return host && fs::is_directory(*host, error);
}

long Folders::Create(std::string_view path) const {
    const auto host = paths_.ToHost(path);
    if (!host) {
        return ERROR_PATH_NOT_FOUND;
    }
    return MakeFolder(*host);
}

long Folders::ListFiles(std::string_view path, std::vector<FolderFile>* files) const {
    files->clear();
    const auto host = paths_.ToHost(path);
    if (!host || !IsFolder(*host)) {
        return ERROR_PATH_NOT_FOUND;
    }
    FirstFailure failure;
    const std::string folder = WithoutTrailingSeparators(path);
    for (const auto& entry : Entries(*host, failure)) {
        std::error_code error;
        if (!fs::is_directory(entry, error)) {
            const std::string name = entry.filename().string();
            files->push_back({name, folder + '\\' + name});
        }
    }
    std::sort(files->begin(), files->end(), [](const FolderFile& a, const FolderFile& b) {
        const std::string upperA = ToUpperText(a.name);
        const std::string upperB = ToUpperText(b.name);
        return upperA != upperB ? upperA < upperB : a.name < b.name;
    });
    return failure.status();
}

}  // namespace platform
