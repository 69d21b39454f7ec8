#include "platform/reg_text.h"

namespace platform {
namespace {

std::optional<RegValue> ReadValue(Registry& registry, RegRoot root, std::string_view key,
                                  std::string_view name) {
    RegHandle handle = 0;
    if (registry.OpenKey(root, key, KEY_READ, &handle) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    RegValue value;
    const long status = registry.QueryValue(handle, name, &value);
    registry.CloseKey(handle);
    if (status != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return value;
}

template <typename Enumerate>
std::vector<std::string> ReadNames(Registry& registry, RegRoot root, std::string_view key,
                                   Enumerate enumerate) {
    std::vector<std::string> names;
    RegHandle handle = 0;
    if (registry.OpenKey(root, key, KEY_READ, &handle) == ERROR_SUCCESS) {
        if ((registry.*enumerate)(handle, &names) != ERROR_SUCCESS) {
            names.clear();
        }
        registry.CloseKey(handle);
    }
    return names;
}

}  // namespace

std::optional<std::string> ReadRegText(Registry& registry, RegRoot root, std::string_view key,
                                       std::string_view name) {
    auto value = ReadValue(registry, root, key, name);
    if (!value || (value->type != REG_SZ && value->type != REG_EXPAND_SZ)) {
        return std::nullopt;
    }
    return std::move(value->text);
}

std::optional<std::uint32_t> ReadRegDword(Registry& registry, RegRoot root, std::string_view key,
                                          std::string_view name) {
    const auto value = ReadValue(registry, root, key, name);
    if (!value || value->type != REG_DWORD) {
        return std::nullopt;
    }
    return value->number;
}

std::vector<std::string> ReadRegSubKeys(Registry& registry, RegRoot root, std::string_view key) {
    return ReadNames(registry, root, key, &Registry::EnumSubKeys);
}

std::vector<std::string> ReadRegValueNames(Registry& registry, RegRoot root, std::string_view key) {
    return ReadNames(registry, root, key, &Registry::EnumValueNames);
}

}  // namespace platform
