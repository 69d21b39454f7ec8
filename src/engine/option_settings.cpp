#include "engine/option_settings.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "foundation/globals.h"
#include "foundation/path_text.h"
#include "foundation/settings_store.h"
#include "platform/text_case.h"

namespace {

// The whole text as a finite decimal number, or nothing.
std::optional<double> NumberFromText(std::string_view text) {
    text = TrimBlanks(text);
    if (text.empty()) {
        return std::nullopt;
    }
    double number = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, number);
    if (error != std::errc() || stop != end || !std::isfinite(number)) {
        return std::nullopt;
    }
    return number;
}

}  // namespace

std::string GetOptionSetting(std::string_view key, std::string_view defaultValue) {
    return GetSetting(gProgramName, kOptionsSection, key, defaultValue);
}

void SaveOptionSetting(std::string_view key, std::string_view value) {
    SaveSetting(gProgramName, kOptionsSection, key, value);
}

int StoredCheckState(std::string_view section, std::string_view key, int defaultState) {
    const std::string stored = GetSetting(gProgramName, section, key, "");
    if (const auto state = WholeNumberFromText(stored); state == 0 || state == 1) {
        return *state;
    }
    const std::string_view word = TrimBlanks(stored);
    if (platform::EqualsIgnoringCase(word, "True") || platform::EqualsIgnoringCase(word, "False")) {
        return platform::EqualsIgnoringCase(word, "True") ? 1 : 0;
    }
    return defaultState;
}

int OptionCheckState(std::string_view key, int defaultState) {
    return StoredCheckState(kOptionsSection, key, defaultState);
}

int StoredSchedulePosition() {
    constexpr int kDaily = 7;
    constexpr int kLastPosition = 9;
    const auto position = WholeNumberFromText(GetOptionSetting("Day", ""));
    return position && *position >= 0 && *position <= kLastPosition ? *position : kDaily;
}

bool OptionAsFlag(std::string_view key, std::string_view defaultValue) {
    return BooleanFromText(GetOptionSetting(key, defaultValue))
        .value_or(BooleanFromText(defaultValue).value_or(false));
}

std::string FlagText(bool value) {
    return value ? "True" : "False";
}

std::optional<bool> BooleanFromText(std::string_view text) {
    const std::string_view trimmed = TrimBlanks(text);
    if (platform::EqualsIgnoringCase(trimmed, "True")) {
        return true;
    }
    if (platform::EqualsIgnoringCase(trimmed, "False")) {
        return false;
    }
    if (const auto number = NumberFromText(trimmed)) {
        return *number != 0;
    }
    return std::nullopt;
}

std::optional<int> WholeNumberFromText(std::string_view text) {
    const auto number = NumberFromText(text);
    if (!number) {
        return std::nullopt;
    }
    const double rounded = std::nearbyint(*number);
    if (rounded < std::numeric_limits<int>::min() || rounded > std::numeric_limits<int>::max()) {
        return std::nullopt;
    }
    return static_cast<int>(rounded);
}
