#include "foundation/registry_access.h"

#include <array>
#include <charconv>
#include <optional>

#include "foundation/globals.h"
#include "foundation/open_reg_key.h"
#include "foundation/path_text.h"
#include "platform/machine.h"

using namespace platform;

namespace {

// Query, set value, create sub-key, enumerate, notify, create link: the program opens keys with
// write rights even to read them, so a key on a hive it may not write counts as missing.
constexpr std::uint32_t kOpenMask = 0x3F;

struct RootOfCode {
    RegRoot root;
    const char* name;
};

// Indexed by the root code. Code 4 is the current configuration, not the performance data.
constexpr std::array<RootOfCode, 6> kRootsByCode = {{
    {HKEY_CLASSES_ROOT, "HKEY_CLASSES_ROOT"},
    {HKEY_CURRENT_USER, "HKEY_CURRENT_USER"},
    {HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE"},
    {HKEY_USERS, "HKEY_USERS"},
    {HKEY_CURRENT_CONFIG, "HKEY_CURRENT_CONFIG"},
    {HKEY_DYN_DATA, "HKEY_DYN_DATA"},
}};

// The 32-bit whole number a text stands for (blanks around it allowed), or nothing.
std::optional<std::int32_t> WholeNumber(std::string_view text) {
    text = TrimBlanks(text);
    if (text.empty()) {
        return std::nullopt;
    }
    std::int32_t number = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, number);
    if (error != std::errc() || stop != end) {
        return std::nullopt;
    }
    return number;
}

std::string AsText(const RegVariant& value) {
    if (const auto* number = std::get_if<std::int32_t>(&value)) {
        return std::to_string(*number);
    }
    if (const auto* text = std::get_if<std::string>(&value)) {
        return *text;
    }
    return {};
}

}  // namespace

RegRoot RegRootFromCode(std::string_view code) {
    const auto number = WholeNumber(code);
    if (!number || *number < 0 || *number >= static_cast<std::int32_t>(kRootsByCode.size())) {
        gRegRootName.clear();
        return -1;
    }
    gRegRootName = kRootsByCode[*number].name;
    return kRootsByCode[*number].root;
}

std::string RegRootName(RegRoot root) {
    for (const auto& entry : kRootsByCode) {
        if (entry.root == root) {
            return entry.name;
        }
    }
    return {};
}

long RegQueryValueVariant(RegHandle openKey, std::string_view valueName, RegVariant& value) {
    value = std::monostate{};
    RegValue stored;
    const long status = CurrentMachine().registry().QueryValue(openKey, valueName, &stored);
    if (status != ERROR_SUCCESS) {
        return -1;
    }
    switch (stored.type) {
        case REG_SZ:
        case REG_EXPAND_SZ:
            value = std::move(stored.text);
            return ERROR_SUCCESS;
        case REG_DWORD:
            value = static_cast<std::int32_t>(stored.number);
            return ERROR_SUCCESS;
        default:
            return -1;
    }
}

bool RegReadValue(RegRoot root, std::string_view keyPath, std::string_view valueName,
                  std::string& text) {
    text.clear();
    OpenRegKey key;
    if (key.Open(root, keyPath, kOpenMask) != ERROR_SUCCESS) {
        return false;
    }
    RegVariant value;
    if (RegQueryValueVariant(key.handle(), valueName, value) != ERROR_SUCCESS) {
        return false;
    }
    text = AsText(value);
    return true;
}

bool RegKeyExists(RegRoot root, std::string_view keyPath) {
    OpenRegKey key;
    return key.Open(root, keyPath, kOpenMask) == ERROR_SUCCESS;
}

// Creating the key and writing the value are one change: one run of Wine's registry tool while
// Wine's server holds the registry.
void RegWriteValue(RegRoot root, std::string_view keyPath, std::string_view valueName,
                   std::string_view value) {
    OpenRegKey key;
    ScopedRegistryChanges changes(key.registry());
    if (key.Create(root, keyPath) != ERROR_SUCCESS) {
        return;
    }
    const auto number = WholeNumber(value);
    const RegValue stored = number ? RegValue::Dword(static_cast<std::uint32_t>(*number))
                                   : RegValue::String(std::string(TrimBlanks(value)));
    key.registry().SetValue(key.handle(), valueName, stored);
}

long SetRegistryValueEx(RegHandle openKey, std::string_view valueName, std::uint32_t type,
                        std::string_view value) {
    Registry& registry = CurrentMachine().registry();
    if (type == REG_SZ) {
        return registry.SetValue(openKey, valueName, RegValue::String(std::string(value)));
    }
    if (type == REG_DWORD) {
        const auto number = WholeNumber(value);
        if (!number) {
            return ERROR_INVALID_PARAMETER;
        }
        return registry.SetValue(openKey, valueName,
                                 RegValue::Dword(static_cast<std::uint32_t>(*number)));
    }
    return ERROR_SUCCESS;
}

bool RegisterServer(std::int32_t, std::string_view, bool) {
    return true;
}

long RegDeleteNamedValue(RegRoot root, std::string_view keyPath, std::string_view valueName) {
    OpenRegKey key;
    const long opened = key.Open(root, keyPath, KEY_SET_VALUE);
    return opened == ERROR_SUCCESS ? key.registry().DeleteValue(key.handle(), valueName) : opened;
}
