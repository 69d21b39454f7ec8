#include "engine/option_settings.h"

#include <charconv>
#include <optional>

#include "foundation/globals.h"
#include "foundation/path_text.h"
#include "foundation/settings_store.h"
#include "platform/text_case.h"

namespace {

constexpr std::string_view kOptionsSection = "OptionAndSettings";

long LeadingNumber(std::string_view text) {
    text = TrimBlanks(text);
    long number = 0;
    std::from_chars(text.data(), text.data() + text.size(), number);
    return number;
}

std::optional<bool> FlagText(std::string_view text) {
    text = TrimBlanks(text);
    if (platform::EqualsIgnoringCase(text, "True")) {
        return true;
    }
    if (platform::EqualsIgnoringCase(text, "False")) {
        return false;
    }
    double number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return number != 0;
}

}  // namespace

std::string GetOptionSetting(std::string_view key, std::string_view defaultValue) {
    return GetSetting(gProgramName, kOptionsSection, key, defaultValue);
}

long OptionAsNumber(std::string_view key, std::string_view defaultValue) {
    return LeadingNumber(GetOptionSetting(key, defaultValue));
}

bool OptionAsFlag(std::string_view key, std::string_view defaultValue) {
    return FlagText(GetOptionSetting(key, defaultValue))
        .value_or(FlagText(defaultValue).value_or(false));
}
