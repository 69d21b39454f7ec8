#include "platform/hive_file_store.h"

#include <filesystem>
#include <iostream>

#include "platform/hive_parse.h"
#include "platform/hive_serialize.h"
#include "platform/pending_file.h"

namespace platform {

namespace {

void ReportOnStandardError(const std::vector<HiveDiagnostic>& diagnostics) {
    for (const auto& diagnostic : diagnostics) {
        std::cerr << diagnostic.file << ":" << diagnostic.line << ": " << diagnostic.message
                  << "\n";
    }
}

}  // namespace

FileHiveStore::FileHiveStore(std::string path, Options options)
    : path_(std::move(path)), options_(std::move(options)) {}

Hive& FileHiveStore::Current() {
    if (!held_ || !loaded_) {
        Refresh();
    }
    return hive_;
}

void FileHiveStore::Hold(bool hold) {
    if (hold) {
        Refresh();  // the hold starts from the file as it stands now
    }
    held_ = hold;
}

void FileHiveStore::Refresh() {
    const auto identity = IdentityOf(path_);
    if (!loaded_ || identity != loadedIdentity_) {
        Load(identity);
    }
}

void FileHiveStore::Load(const std::optional<FileIdentity>& identity) {
    loaded_ = true;
    loadedIdentity_ = identity;
    unreadable_ = false;
    hive_ = Hive{};
    if (!identity) {
        hive_.preamble = options_.newFilePreamble;
        return;
    }
    std::string text;
    std::string error;
    if (ReadWholeFile(path_, &text, &error)) {
        hive_ = ParseHive(text, path_);
    } else {
        // Never written over: what it holds could not be seen.
        unreadable_ = true;
        hive_.diagnostics.push_back({path_, 0, error});
    }
    ReportOnStandardError(hive_.diagnostics);
}

long FileHiveStore::WritePermission() {
    Refresh();
    if (unreadable_) {
        return ERROR_BADDB;
    }
    const std::string folder = FolderOf(path_).string();
    std::error_code ignored;
    if (!std::filesystem::exists(folder, ignored)) {
        return options_.makeFolder ? ERROR_SUCCESS : ERROR_PATH_NOT_FOUND;
    }
    const bool fileWritable = !loadedIdentity_ || OwnerMayWrite(path_);
    return fileWritable && OwnerMayWrite(folder) ? ERROR_SUCCESS : ERROR_ACCESS_DENIED;
}

long FileHiveStore::Change(const std::function<long(Hive&)>& change) {
    const long permission = WritePermission();
    if (permission != ERROR_SUCCESS) {
        return permission;
    }
    if (options_.serverRuns && options_.serverRuns()) {
        return ERROR_WINE_SERVER_RUNNING;
    }
    const long changed = change(hive_);
    return changed == ERROR_SUCCESS ? StoreCurrent() : changed;
}

// Writes the changed hive; on failure forgets the change, so the hive is read from the file again.
// On success the hive in memory is the file as it now stands (writing brought it up to date).
long FileHiveStore::StoreCurrent() {
    std::string error;
    std::error_code folderError;
    if (options_.makeFolder) {
        std::filesystem::create_directories(FolderOf(path_), folderError);
    }
    const std::string text = WriteHiveText(hive_);
    if (folderError || !ReplaceFileAtomically(path_, text, &error)) {
        std::cerr << (folderError ? FolderOf(path_).string() + ": " + folderError.message() : error)
                  << "\n";
        loaded_ = false;
        return ERROR_WRITE_FAULT;
    }
    loadedIdentity_ = IdentityOf(path_);
    return ERROR_SUCCESS;
}

}  // namespace platform
