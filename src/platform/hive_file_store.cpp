#include "platform/hive_file_store.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <iostream>
#include <utility>

#include "platform/hive_parse.h"
#include "platform/hive_serialize.h"
#include "platform/pending_file.h"
#include "platform/wine_registry_tool.h"

namespace platform {

namespace {

void ReportOnStandardError(const std::vector<HiveDiagnostic>& diagnostics) {
    for (const auto& diagnostic : diagnostics) {
        std::cerr << diagnostic.file << ":" << diagnostic.line << ": " << diagnostic.message
                  << "\n";
    }
}

long long NowNanoseconds() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

long long ModifiedNanoseconds(const FileIdentity& identity) {
    return identity.modifiedSeconds * 1'000'000'000LL + identity.modifiedNanoseconds;
}

bool Contains(const std::vector<std::uint64_t>& ids, std::uint64_t id) {
    return std::find(ids.begin(), ids.end(), id) != ids.end();
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
        return;
    }
    // A server that ended without writing the file (it was killed) took the edits sent to it
    // along: the file holds the registry again.
    const bool sent = std::any_of(overlay_.begin(), overlay_.end(),
                                  [](const OverlaidEdit& overlaid) { return overlaid.sentAt; });
    if (sent && options_.group && !options_.group->ServerRuns()) {
        std::erase_if(overlay_, [](const OverlaidEdit& overlaid) { return overlaid.sentAt; });
        Load(identity);
    }
}

void FileHiveStore::Load(const std::optional<FileIdentity>& identity) {
    loaded_ = true;
    loadedIdentity_ = identity;
    unreadable_ = false;
    hive_ = Hive{};
    if (identity) {
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
        // A file written after an edit was sent to Wine holds it (and what came after it); an
        // older one does not yet.
        const long long written = ModifiedNanoseconds(*identity);
        std::erase_if(overlay_, [&](const OverlaidEdit& overlaid) {
            return overlaid.sentAt && *overlaid.sentAt < written;
        });
    } else {
        hive_.preamble = options_.newFilePreamble;
    }
    for (const OverlaidEdit& overlaid : overlay_) {
        ApplyHiveEdit(hive_, overlaid.edit);
    }
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
    const long changed = change(hive_);
    return changed == ERROR_SUCCESS ? StoreCurrent() : changed;
}

long FileHiveStore::Edit(const HiveEdit& edit) {
    if (!options_.group) {
        return HiveStore::Edit(edit);
    }
    const long permission = WritePermission();
    if (permission != ERROR_SUCCESS) {
        return permission;
    }
    const long applied = ApplyHiveEdit(hive_, edit);
    if (applied != ERROR_SUCCESS) {
        return applied;
    }
    const std::uint64_t id = options_.group->nextId_++;
    overlay_.push_back({id, edit, std::nullopt});
    return options_.group->Add(*this, id, edit);
}

void FileHiveStore::SentToWine(const std::vector<std::uint64_t>& ids, long result) {
    if (result != ERROR_SUCCESS) {
        Forget(ids);
        return;
    }
    const long long now = NowNanoseconds();
    for (OverlaidEdit& overlaid : overlay_) {
        if (Contains(ids, overlaid.id)) {
            overlaid.sentAt = now;
        }
    }
}

void FileHiveStore::Drop(const std::vector<std::uint64_t>& ids) {
    std::erase_if(overlay_,
                  [&](const OverlaidEdit& overlaid) { return Contains(ids, overlaid.id); });
}

// The hive is read from the file again, with the edits still on top of it.
void FileHiveStore::Forget(const std::vector<std::uint64_t>& ids) {
    Drop(ids);
    loaded_ = false;
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

namespace {

// The stores of the edits, each once, in the order of their first edit.
std::vector<FileHiveStore*> StoresOf(const auto& edits) {
    std::vector<FileHiveStore*> stores;
    for (const auto& waiting : edits) {
        if (std::find(stores.begin(), stores.end(), waiting.store) == stores.end()) {
            stores.push_back(waiting.store);
        }
    }
    return stores;
}

std::vector<std::uint64_t> IdsOf(const auto& edits, const FileHiveStore* store) {
    std::vector<std::uint64_t> ids;
    for (const auto& waiting : edits) {
        if (waiting.store == store) {
            ids.push_back(waiting.id);
        }
    }
    return ids;
}

}  // namespace

HiveWriteGroup::HiveWriteGroup(std::string prefixFolder, std::function<bool()> serverRuns)
    : prefixFolder_(std::move(prefixFolder)), serverRuns_(std::move(serverRuns)) {}

void HiveWriteGroup::Begin() {
    ++depth_;
}

long HiveWriteGroup::Commit() {
    if (depth_ > 0 && --depth_ > 0) {
        return ERROR_SUCCESS;
    }
    return Store(std::exchange(waiting_, {}));
}

long HiveWriteGroup::Add(FileHiveStore& store, std::uint64_t id, const HiveEdit& edit) {
    waiting_.push_back({&store, id, edit});
    return depth_ > 0 ? ERROR_SUCCESS : Store(std::exchange(waiting_, {}));
}

// The edits were taken from the waiting list first: while Wine's tool runs the window loop runs
// too, and whatever it changes meanwhile is stored on its own.
long HiveWriteGroup::Store(std::vector<Waiting> edits) {
    if (edits.empty()) {
        return ERROR_SUCCESS;
    }
    if (ServerRuns()) {
        return SendToWine(edits);
    }
    long result = ERROR_SUCCESS;
    for (FileHiveStore* store : StoresOf(edits)) {
        const long stored = store->StoreCurrent();
        // In the file now, or lost with a write that failed, after which the file is read again.
        store->Drop(IdsOf(edits, store));
        if (result == ERROR_SUCCESS) {
            result = stored;
        }
    }
    // A server that started meanwhile may have read the files before they were written.
    return result == ERROR_SUCCESS && ServerRuns() ? SendToWine(edits) : result;
}

long HiveWriteGroup::SendToWine(const std::vector<Waiting>& edits) {
    std::vector<WineRegistryEdit> sent;
    for (const Waiting& waiting : edits) {
        sent.push_back({waiting.store->WineTopKey(), waiting.edit});
    }
    const long result = ImportThroughWine(prefixFolder_, sent);
    for (FileHiveStore* store : StoresOf(edits)) {
        store->SentToWine(IdsOf(edits, store), result);
    }
    return result;
}

}  // namespace platform
