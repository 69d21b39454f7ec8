#include "platform/hive_prefix_registry.h"

#include <fstream>

#include "platform/hive_file_store.h"

namespace platform {

namespace {

// The architecture line of the prefix's machine hive, which new hives copy.
std::string ArchitectureLine(const std::string& machineHivePath) {
    std::ifstream file(machineHivePath);
    std::string line;
    for (int i = 0; i < 8 && std::getline(file, line); ++i) {
        if (line.rfind("#arch=", 0) == 0) {
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            return line;
        }
    }
    return "#arch=win64";
}

std::string Preamble(const std::string& relativeTo, const std::string& architecture) {
    return "WINE REGISTRY Version 2\n;; All keys relative to " + relativeTo + "\n\n" +
           architecture + "\n";
}

}  // namespace

std::unique_ptr<HiveRegistry> MakePrefixRegistry(
    const std::string& prefixFolder, std::optional<std::vector<std::string>> wineServerRoots) {
    const std::string machinePath = prefixFolder + "/system.reg";
    const std::string architecture = ArchitectureLine(machinePath);
    HiveSet hives;
    hives.writes = std::make_shared<HiveWriteGroup>(prefixFolder, [prefixFolder, wineServerRoots] {
        return WineServerRuns(prefixFolder,
                              wineServerRoots.value_or(WineServerRoots(prefixFolder)));
    });
    auto store = [&](const std::string& name, const std::string& relativeTo,
                     const std::string& wineTopKey) {
        FileHiveStore::Options options;
        options.newFilePreamble = Preamble(relativeTo, architecture);
        options.group = hives.writes.get();
        options.wineTopKey = wineTopKey;
        return std::make_unique<FileHiveStore>(prefixFolder + "/" + name, std::move(options));
    };
    hives.machine = store("system.reg", "REGISTRY\\\\Machine", "HKEY_LOCAL_MACHINE");
    hives.user =
        store("user.reg", "REGISTRY\\\\User\\\\" + std::string(kWineUserSid), "HKEY_CURRENT_USER");
    hives.userDefault =
        store("userdef.reg", "REGISTRY\\\\User\\\\.Default", "HKEY_USERS\\.Default");
    return std::make_unique<HiveRegistry>(std::move(hives));
}

}  // namespace platform
