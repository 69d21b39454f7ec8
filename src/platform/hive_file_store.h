#pragma once

#include <functional>
#include <optional>
#include <string>

#include "platform/hive_disk.h"
#include "platform/hive_store.h"

namespace platform {

// A hive kept in a file in Wine's format. It is read once and read again only when the file
// changed (while held, only when the hold begins); a missing file is an empty hive, made on the
// first write. Each write replaces the file atomically; a write that fails leaves the file as it
// was and the hive as the file holds it.
class FileHiveStore : public HiveStore {
  public:
    struct Options {
        std::string newFilePreamble;       // the first lines of a file made on the first write
        bool makeFolder = false;           // make the file's folder when it is missing
        std::function<bool()> serverRuns;  // writes are refused while this says so
    };

    FileHiveStore(std::string path, Options options);

    Hive& Current() override;
    long WritePermission() override;
    long Change(const std::function<long(Hive&)>& change) override;
    void Hold(bool hold) override;

    const std::string& Path() const { return path_; }

  private:
    void Refresh();
    void Load(const std::optional<FileIdentity>& identity);
    long StoreCurrent();

    std::string path_;
    Options options_;
    Hive hive_;
    bool loaded_ = false;
    bool unreadable_ = false;
    bool held_ = false;
    std::optional<FileIdentity> loadedIdentity_;
};

}  // namespace platform
