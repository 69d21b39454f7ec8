#pragma once

#include <string>
#include <string_view>

// The scan and shield options as the per-user store keeps them, in the section
// "OptionAndSettings" of the program's settings.

std::string GetOptionSetting(std::string_view key, std::string_view defaultValue);

// The stored text read as a number the way the classic Val reads it: its leading digits, 0 when
// there are none ("1" -> 1, "2 days" -> 2, "True" -> 0).
long OptionAsNumber(std::string_view key, std::string_view defaultValue);

// The stored text read as a flag: "True"/"False" in any letter case, or a number (not 0 is true).
// Other text counts as the default, which must itself be such a text.
bool OptionAsFlag(std::string_view key, std::string_view defaultValue);
