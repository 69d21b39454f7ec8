#include "platform/folders.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <system_error>

#include "platform/file_attributes.h"
#include "platform/host_files.h"
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

long CopyLink(const fs::path& from, const fs::path& to) {
    std::error_code error;
    const fs::path target = fs::read_symlink(from, error);
    struct stat existing {};
    if (!error && ::lstat(to.c_str(), &existing) == 0) {
        if (!S_ISLNK(existing.st_mode)) {
            return ERROR_ACCESS_DENIED;  // a link never replaces a file or folder
        }
        fs::remove(to, error);
    }
    if (!error) {
        fs::create_symlink(target, to, error);
    }
    return error ? Win32ErrorFromErrno(error.value()) : ERROR_SUCCESS;
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

long CopyEntry(const fs::path& from, const fs::path& to, bool overwrite);

long CopyTree(const fs::path& from, const fs::path& to, bool overwrite) {
    FirstFailure failure;
    if (!IsFolder(to)) {
        if (const long made = MakeFolder(to)) {
            return made;
        }
    }
    for (const auto& entry : Entries(from, failure)) {
        failure.Note(CopyEntry(entry, to / entry.filename(), overwrite));
    }
    return failure.status();
}

long CopyEntry(const fs::path& from, const fs::path& to, bool overwrite) {
    struct stat status {};
    if (::lstat(from.c_str(), &status) != 0) {
        return Win32ErrorFromErrno(errno);
    }
    if (S_ISDIR(status.st_mode)) {
        return CopyTree(from, to, overwrite);
    }
    struct stat existing {};
    if (!overwrite && ::lstat(to.c_str(), &existing) == 0) {
        return ERROR_FILE_EXISTS;
    }
    if (S_ISLNK(status.st_mode)) {
        return CopyLink(from, to);
    }
    return S_ISREG(status.st_mode) ? CopyHostFile(from, to) : ERROR_ACCESS_DENIED;
}

long DeleteTree(const fs::path& folder, bool force, const FilesInUse& inUse) {
    struct stat status {};
    if (::lstat(folder.c_str(), &status) != 0) {
        return Win32ErrorFromErrno(errno);
    }
    if (IsReadOnlyMode(status.st_mode)) {
        if (!force) {
            return ERROR_ACCESS_DENIED;
        }
        ::chmod(folder.c_str(), status.st_mode | S_IWUSR);  // an account other than root needs it
    }
    FirstFailure failure;
    for (const auto& entry : Entries(folder, failure)) {
        failure.Note(IsFolder(entry) ? DeleteTree(entry, force, inUse)
                                     : DeleteHostFile(entry, inUse, force));
    }
    if (failure.status() == ERROR_SUCCESS && ::rmdir(folder.c_str()) != 0) {
        failure.Note(Win32ErrorFromErrno(errno));
    }
    return failure.status();
}

bool IsWithinFolder(const fs::path& path, const fs::path& folder) {
    std::error_code error;
    const fs::path relative =
        fs::weakly_canonical(path, error).lexically_relative(fs::weakly_canonical(folder, error));
    return !relative.empty() && *relative.begin() != "..";
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

long Folders::Copy(std::string_view from, std::string_view to, bool overwrite) const {
    const auto hostFrom = paths_.ToHost(from);
    const auto hostTo = paths_.ToHost(to);
    if (!hostFrom || !hostTo || !IsFolder(*hostFrom)) {
        return ERROR_PATH_NOT_FOUND;
    }
    if (IsWithinFolder(*hostTo, *hostFrom)) {
        return ERROR_INVALID_PARAMETER;  // a copy into itself would never end
    }
    const long status = CopyTree(*hostFrom, *hostTo, overwrite);
    return status == ERROR_FILE_NOT_FOUND ? ERROR_PATH_NOT_FOUND : status;
}

long Folders::Delete(std::string_view path, bool force) const {
    const auto host = paths_.ToHost(path);
    if (!host || !IsFolder(*host)) {
        return ERROR_PATH_NOT_FOUND;
    }
    return DeleteTree(*host, force, FilesInUse::Snapshot(paths_.dosdevices().parent_path()));
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
