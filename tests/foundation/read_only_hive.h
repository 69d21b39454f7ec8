#pragma once

#include <sys/stat.h>

#include "platform/hive_registry.h"
#include "support/temporary_prefix.h"

// Takes the owner's write bit from the machine's system.reg (or gives it back), as an account that
// may only read HKEY_LOCAL_MACHINE meets it. A registry kept in memory is told the same.
inline void SetMachineHiveReadOnly(test_support::TemporaryMachine& temporary, bool readOnly) {
    const auto hive = temporary.prefix().prefix().systemHive();
    ::chmod(hive.c_str(), readOnly ? 0444 : 0644);
    auto* registry = dynamic_cast<platform::HiveRegistry*>(&temporary.machine().registry());
    if (auto* memory = registry ? dynamic_cast<platform::MemoryHiveStore*>(&registry->MachineHive())
                                : nullptr) {
        memory->SetReadOnly(readOnly);
    }
}
