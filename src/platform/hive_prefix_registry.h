#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/hive_registry.h"
#include "platform/hive_server_lock.h"

namespace platform {

// The registry of a Wine prefix: system.reg (HKEY_LOCAL_MACHINE), user.reg (HKEY_CURRENT_USER)
// and userdef.reg (HKEY_USERS\.Default) in the prefix folder. While Wine's server runs for the
// prefix, which holds the registry in memory and writes the files over when it saves, changes go
// through Wine's own registry tool instead (see FileHiveStore). The server's folder is looked for
// under the given server roots, by default where Wine puts it (WineServerRoots).
std::unique_ptr<HiveRegistry> MakePrefixRegistry(
    const std::string& prefixFolder,
    std::optional<std::vector<std::string>> wineServerRoots = std::nullopt);

}  // namespace platform
