#include "engine/registry_removal.h"

#include "engine/quarantine_log.h"
#include "foundation/open_reg_key.h"
#include "foundation/registry_access.h"
#include "platform/machine.h"

using namespace platform;

bool RegDeleteKeyTree(RegRoot root, std::string_view keyPath) {
    if (CurrentMachine().registry().DeleteKeyTree(root, keyPath) != ERROR_SUCCESS) {
        return false;
    }
    LogQuarantinedRegistryItem(std::to_string(root) + "\\" + std::string(keyPath), "All Values");
    return true;
}

bool RegDeleteLoggedValue(RegRoot root, std::string_view keyPath, std::string_view valueName) {
    const long result = RegDeleteNamedValue(root, keyPath, valueName);
    if (result != ERROR_SUCCESS && result != ERROR_FILE_NOT_FOUND) {
        return false;
    }
    LogQuarantinedRegistryItem(RegRootName(root) + "\\" + std::string(keyPath), valueName);
    return true;
}

bool RegistryKeyPresent(RegRoot root, std::string_view keyPath) {
    OpenRegKey key;
    return key.Open(root, keyPath, KEY_QUERY_VALUE) == ERROR_SUCCESS;
}

bool RegistryValuePresent(RegRoot root, std::string_view keyPath, std::string_view valueName) {
    OpenRegKey key;
    RegValue value;
    return key.Open(root, keyPath, KEY_QUERY_VALUE) == ERROR_SUCCESS &&
           key.registry().QueryValue(key.handle(), valueName, &value) == ERROR_SUCCESS;
}

std::string RegistryEntryLocation(RegRoot root, std::string_view keyPath,
                                  std::string_view valueName) {
    std::string location = RegRootName(root) + "\\" + std::string(keyPath);
    if (!valueName.empty()) {
        location += "\\" + std::string(valueName);
    }
    return location;
}
