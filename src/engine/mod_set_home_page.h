#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/registry.h"

// The registry procedures of the home-page shield.

// The key and value of the browser's start page under HKEY_CURRENT_USER.
inline constexpr std::string_view kStartPageKey = "Software\\Microsoft\\Internet Explorer\\Main";
inline constexpr std::string_view kStartPageValue = "Start Page";

// Reads root\keyPath's value into text: a text value as it is, a 32-bit number as "&h" and its
// hexadecimal digits; a value of another type leaves text as it was. False, with text emptied,
// when the key does not open with the mask 0x3F or the value cannot be read.
bool ReadRegistryText(platform::RegRoot root, std::string_view keyPath, std::string_view valueName,
                      std::string& text);

// Writes a value (type 1 text, 4 number) into an existing key of HKEY_CURRENT_USER; a missing key
// is not created. The registry's result: ERROR_SUCCESS when the value was written.
long WriteCurrentUserRegString(std::string_view keyPath, std::string_view valueName,
                               std::string_view value, std::uint32_t valueType);
