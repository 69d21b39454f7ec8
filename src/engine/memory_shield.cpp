// The memory shield: running programs checked outside a scan, and the timers it shares.
#include "engine/memory_shield.h"

#include <charconv>
#include <optional>

#include "engine/memory_scan.h"
#include "foundation/globals.h"
#include "foundation/path_text.h"
#include "foundation/settings_store.h"
#include "platform/text_case.h"
#include "ui/frm_main.h"

namespace {

constexpr std::string_view kOptionsSection = "OptionAndSettings";

std::string OptionSetting(std::string_view key, std::string_view defaultValue) {
    return GetSetting(gProgramName, kOptionsSection, key, defaultValue);
}

// A stored number as the classic Val reads it: the leading digits, 0 when there are none.
long LeadingNumber(std::string_view text) {
    text = TrimBlanks(text);
    long number = 0;
    std::from_chars(text.data(), text.data() + text.size(), number);
    return number;
}

// "True"/"False" in any case, or a number (not 0 is true); nothing for other text.
std::optional<bool> BooleanText(std::string_view text) {
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

// A flag option; a stored text that is no Boolean counts as the default.
bool FlagOption(std::string_view key, std::string_view defaultValue) {
    return BooleanText(OptionSetting(key, defaultValue)).value_or(*BooleanText(defaultValue));
}

}  // namespace

void EnableShieldTimers(FrmMainForm& form, bool enable) {
    if (enable) {
        form.tmrScheduler.SetEnabled(LeadingNumber(OptionSetting("chkAutomaticScanYesOrNo", "0")) !=
                                     0);
        form.tmrCheckHomePage.SetEnabled(FlagOption("optIEHomePageSheildOn", "True"));
        form.tmrMemoryInspected.SetEnabled(FlagOption("optMemorySheildOn", "True"));
    } else {
        form.tmrCheckHomePage.SetEnabled(false);
        form.tmrMemoryInspected.SetEnabled(false);
        form.tmrScheduler.SetEnabled(false);
        form.tmrTimeOut.SetEnabled(false);
    }
}

void FrmMainForm::tmrMemoryInspected_Timer() {
    if (!FlagOption("optMemorySheildOn", "True")) {
        return;
    }
    EnableShieldTimers(*this, false);
    ScanMemoryByPlatform();
    EnableShieldTimers(*this, true);
}
