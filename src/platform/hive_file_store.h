#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/hive_disk.h"
#include "platform/hive_edit.h"
#include "platform/hive_store.h"

namespace platform {

class HiveWriteGroup;

// A hive kept in a file in Wine's format. It is read once and read again only when the file
// changed (while held, only when the hold begins); a missing file is an empty hive, made on the
// first write. Each write replaces the file atomically; a write that fails leaves the file as it
// was and the hive as the file holds it.
//
// The hives of a prefix form a group (HiveWriteGroup): while Wine's server holds them, edits go
// through Wine's own registry tool instead of into the file, which the server would write over.
// The server writes the file only some time later, so the hive in memory keeps each such edit on
// top of the file until the file is written after the edit was made (the server saved it, and
// with it whatever the prefix's programs changed since), or until the server ends without saving.
class FileHiveStore : public HiveStore {
  public:
    struct Options {
        std::string newFilePreamble;      // the first lines of a file made on the first write
        bool makeFolder = false;          // make the file's folder when it is missing
        HiveWriteGroup* group = nullptr;  // the group whose edits are stored together
        std::string wineTopKey;           // the hive's top key as Wine's tools name it
    };

    FileHiveStore(std::string path, Options options);

    Hive& Current() override;
    long WritePermission() override;
    long Change(const std::function<long(Hive&)>& change) override;
    long Edit(const HiveEdit& edit) override;
    void Hold(bool hold) override;

    const std::string& Path() const { return path_; }
    const std::string& WineTopKey() const { return options_.wineTopKey; }

  private:
    friend class HiveWriteGroup;

    // An edit seen on top of the file: waiting to be stored, or sent to Wine at sentAt (nanoseconds
    // of the system clock).
    struct OverlaidEdit {
        std::uint64_t id = 0;
        HiveEdit edit;
        std::optional<long long> sentAt;
    };

    void Refresh();
    void Load(const std::optional<FileIdentity>& identity);
    long StoreCurrent();
    // What the group did with the waiting edits of these ids.
    void SentToWine(const std::vector<std::uint64_t>& ids, long result);
    void Drop(const std::vector<std::uint64_t>& ids);  // no longer on top of the file
    void Forget(const std::vector<std::uint64_t>& ids);

    std::string path_;
    Options options_;
    Hive hive_;
    bool loaded_ = false;
    bool unreadable_ = false;
    bool held_ = false;
    std::optional<FileIdentity> loadedIdentity_;
    std::vector<OverlaidEdit> overlay_;
};

// The hives of one prefix, whose edits are stored together: each hive's file written once, or,
// while Wine's server for the prefix runs, one run of Wine's registry tool for all of them.
class HiveWriteGroup {
  public:
    HiveWriteGroup(std::string prefixFolder, std::function<bool()> serverRuns);

    // Edits until the matching Commit are stored by the outermost Commit.
    void Begin();
    long Commit();
    bool ServerRuns() const { return serverRuns_(); }
    const std::string& PrefixFolder() const { return prefixFolder_; }

  private:
    friend class FileHiveStore;
    struct Waiting {
        FileHiveStore* store;
        std::uint64_t id;
        HiveEdit edit;
    };

    // Takes an edit the store made in memory; stores it at once outside Begin and Commit.
    long Add(FileHiveStore& store, std::uint64_t id, const HiveEdit& edit);
    long Store(std::vector<Waiting> edits);
    long SendToWine(const std::vector<Waiting>& edits);

    std::string prefixFolder_;
    std::function<bool()> serverRuns_;
    int depth_ = 0;
    std::vector<Waiting> waiting_;
    std::uint64_t nextId_ = 1;
};

}  // namespace platform
