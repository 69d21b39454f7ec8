#include "engine/mod_set_home_page.h"

#include <cstdio>

#include "foundation/open_reg_key.h"
#include "foundation/registry_access.h"

using namespace platform;

namespace {

// Query, set value, create sub-key, enumerate, notify, create link.
constexpr std::uint32_t kOpenMask = 0x3F;

std::string HexText(std::uint32_t number) {
    char digits[9];
    std::snprintf(digits, sizeof digits, "%X", number);
    return std::string("&h") + digits;
}

}  // namespace

// The whole value is read, however long: a long start page must not read as an empty one.
bool ReadRegistryText(RegRoot root, std::string_view keyPath, std::string_view valueName,
                      std::string& text) {
    OpenRegKey key;
    RegValue value;
    if (key.Open(root, keyPath, kOpenMask) != ERROR_SUCCESS ||
        key.registry().QueryValue(key.handle(), valueName, &value) != ERROR_SUCCESS) {
        text.clear();
        return false;
    }
    if (value.type == REG_SZ) {
        text = value.text;
    } else if (value.type == REG_DWORD) {
        text = HexText(value.number);
    }
    return true;
}

long WriteCurrentUserRegString(std::string_view keyPath, std::string_view valueName,
                               std::string_view value, std::uint32_t valueType) {
    OpenRegKey key;
    const long opened = key.Open(HKEY_CURRENT_USER, keyPath, kOpenMask);
    if (opened != ERROR_SUCCESS) {
        return opened;
    }
    return SetRegistryValueEx(key.handle(), valueName, valueType, value);
}
