#pragma once

#include <set>
#include <string>
#include <utility>

// What `wine reg export` shows of a root key, as a set: each key, and each value line under its
// key. Two snapshots taken before and after a run tell exactly what the run removed and added.
namespace e2e {

// (key path as exported, value line with its continuations joined; "" for the key itself)
using RegistryEntry = std::pair<std::string, std::string>;

class RegistrySnapshot {
  public:
    static RegistrySnapshot FromExport(const std::string& exportText);

    const std::set<RegistryEntry>& entries() const { return entries_; }
    // The key, its values and everything below it ("HKEY_CURRENT_USER\Software\X").
    std::set<RegistryEntry> KeyTree(const std::string& keyPath) const;
    // One value of a key ("" names the default value).
    std::set<RegistryEntry> Value(const std::string& keyPath, const std::string& valueName) const;
    // The snapshot without the entries below the given keys, whatever they hold.
    RegistrySnapshot Without(const std::set<std::string>& keyPaths) const;

  private:
    std::set<RegistryEntry> entries_;
};

std::set<RegistryEntry> Minus(const std::set<RegistryEntry>& from,
                              const std::set<RegistryEntry>& taken);

}  // namespace e2e
