#pragma once

#include <optional>
#include <string>
#include <string_view>

// The scan and shield options as the per-user store keeps them, in the section
// "OptionAndSettings" of the program's settings (a few in "Settings"), and the conversions the
// stored texts go through on the way back.

inline constexpr std::string_view kOptionsSection = "OptionAndSettings";
inline constexpr std::string_view kSettingsSection = "Settings";

std::string GetOptionSetting(std::string_view key, std::string_view defaultValue);
void SaveOptionSetting(std::string_view key, std::string_view value);

// Each stored value is read one way by the control that shows it and by everything it drives, so
// that what the user sees is what the program does.

// A stored check state: 0 or 1 (as WholeNumberFromText reads them), or the flag words "False"
// and "True". Any other text (garbage, "1x", 2, a number too large) counts as an absent value:
// the default.
int StoredCheckState(std::string_view section, std::string_view key, int defaultState);
int OptionCheckState(std::string_view key, int defaultState);

// The list position of the stored schedule ("Day"): 0 to 9. Any other text counts as daily.
int StoredSchedulePosition();

// The stored text read as a flag: "True"/"False" in any letter case, or a number (not 0 is true).
// Other text counts as the default, which must itself be such a text.
bool OptionAsFlag(std::string_view key, std::string_view defaultValue);

// "True" or "False": how a flag is stored.
std::string FlagText(bool value);

// A stored flag: "True"/"False" in any letter case, or a number (true unless 0), blanks around it
// allowed; nothing for any other text.
std::optional<bool> BooleanFromText(std::string_view text);

// A stored whole number: a decimal number (blanks around it allowed, a fraction rounded to the
// nearest whole number, halves to even) that fits in 32 bits; nothing for any other text.
std::optional<int> WholeNumberFromText(std::string_view text);
