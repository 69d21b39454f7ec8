#pragma once

#include <set>
#include <string>
#include <vector>

#include "e2e/registry_snapshot.h"
#include "e2e/wine_prefix.h"

// Traces of the invented threats that the shipped sample definitions name, planted into a prefix
// through Wine's own tools, with neighbours beside them that a removal must leave alone.
namespace e2e {

struct PlantedValue {
    std::string threat;  // the threat the definitions name it for; "" for a neighbour
    std::string key;     // as `wine reg` spells it: "HKCU\Software\TrayHelperX"
    std::string name;    // the value's name
    std::string data;    // text data (REG_SZ)
};

struct PlantedFile {
    std::string threat;  // as above
    std::string path;    // Windows path on drive C:
    std::string content;
    // Only a named folder holds it: it goes with the folder's copy and has no log entry of its own.
    bool onlyInNamedFolder = false;
};

struct PlantedFolder {
    std::string threat;
    std::string path;
};

// Which traces of which threats a test plants.
struct ThreatChoice {
    std::set<std::string> inRegistry;  // threats whose keys and values are planted
    std::set<std::string> onDisk;      // threats whose files and folders are planted
};

// Every sample threat, with its registry and its disk traces both.
ThreatChoice EveryTrace();

// What one test plants; the profile folder differs between accounts, so it is worked out from the
// prefix.
class PlantedThreats {
  public:
    PlantedThreats(const WinePrefix& prefix, const ThreatChoice& choice);

    // Writes every threat and every neighbour into the prefix. Wine's server runs afterwards.
    void Plant() const;

    // Values the definitions name one by one: each must go, its key stays.
    const std::vector<PlantedValue>& namedValues() const { return namedValues_; }
    // Keys the definitions name as a whole, each planted with a value (and a sub-key): all of it
    // must go.
    const std::vector<PlantedValue>& namedKeys() const { return namedKeys_; }
    // Values beside the named ones that nothing names: each must stay as it was.
    const std::vector<PlantedValue>& neighbourValues() const { return neighbourValues_; }

    // Files the definitions name (directly or through a named folder): each must go, into the
    // quarantine.
    const std::vector<PlantedFile>& namedFiles() const { return namedFiles_; }
    // Folders the definitions name.
    const std::vector<PlantedFolder>& namedFolders() const { return namedFolders_; }
    // Files beside them that nothing names: each must stay.
    const std::vector<PlantedFile>& neighbourFiles() const { return neighbourFiles_; }

    // The threat names the definitions give the planted traces, each once.
    std::set<std::string> ThreatNames() const { return threatNames_; }

    // The registry entries, as an export shows them, that the removal must take away.
    std::set<RegistryEntry> EntriesToRemove(const RegistrySnapshot& before) const;

  private:
    const WinePrefix& prefix_;
    std::vector<PlantedValue> namedValues_;
    std::vector<PlantedValue> namedKeys_;
    std::vector<PlantedValue> neighbourValues_;
    std::vector<PlantedFile> namedFiles_;
    std::vector<PlantedFolder> namedFolders_;
    std::vector<PlantedFile> neighbourFiles_;
    std::set<std::string> threatNames_;
};

// The key as an export names it: "HKEY_CURRENT_USER\Software\TrayHelperX". Wine keeps the classes
// root inside the machine's hive, so "HKCR\X" exports as "HKEY_LOCAL_MACHINE\Software\Classes\X".
std::string ExportedKeyPath(const std::string& key);

// Writes a file into the prefix through its mapped folder, making the folders on the way.
void WriteFileInto(const WinePrefix& prefix, const PlantedFile& file);

}  // namespace e2e
