#pragma once

#include <string>
#include <string_view>

// The per-user store of options and state values: text values by application (always the program
// name), section and key, kept in the user's settings file. A key never written reads as the
// default the caller gives. The store has no delete and no enumeration.

std::string GetSetting(std::string_view application, std::string_view section, std::string_view key,
                       std::string_view defaultValue);

// Replaces the value at once. The callers do not look at the outcome.
void SaveSetting(std::string_view application, std::string_view section, std::string_view key,
                 std::string_view value);
