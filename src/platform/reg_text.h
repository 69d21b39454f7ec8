#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"

// Reading single registry values, for the machine's own look-ups (folders, drives, version).
namespace platform {

// A REG_SZ or REG_EXPAND_SZ value as it is stored (references not expanded).
std::optional<std::string> ReadRegText(Registry& registry, RegRoot root, std::string_view key,
                                       std::string_view name);
std::optional<std::uint32_t> ReadRegDword(Registry& registry, RegRoot root, std::string_view key,
                                          std::string_view name);
// The names of a key's sub-keys, or of its values; empty when the key does not open.
std::vector<std::string> ReadRegSubKeys(Registry& registry, RegRoot root, std::string_view key);
std::vector<std::string> ReadRegValueNames(Registry& registry, RegRoot root, std::string_view key);

}  // namespace platform
