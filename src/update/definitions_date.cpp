#include "update/definitions_date.h"

#include <chrono>
#include <exception>

#include "foundation/definition_files.h"
#include "foundation/path_text.h"
#include "platform/text_case.h"

namespace {

// The text up to and including the first occurrence of marker (letter case ignored), or nothing.
std::optional<std::string> CutAfter(const std::string& text, std::string_view marker) {
    const std::size_t found = platform::FindIgnoringCase(text, marker);
    if (found == std::string::npos) {
        return std::nullopt;
    }
    return text.substr(0, found + marker.size());
}

}  // namespace

std::string CleanDateReply(std::string_view reply) {
    std::string cleaned;
    for (const char character : TrimBlanks(reply)) {
        if (character != '\t' && character != '\r' && character != '\n') {
            cleaned += character;
        }
    }
    if (auto cut = CutAfter(cleaned, "PM")) {
        return *cut;
    }
    if (auto cut = CutAfter(cleaned, "AM")) {
        return *cut;
    }
    return cleaned;
}

std::optional<platform::DateTime> ParseDateReply(std::string_view reply) {
    return platform::ParseUsDate(CleanDateReply(reply));
}

bool IsBelievableDefinitionsDate(const platform::DateTime& date, const platform::DateTime& now) {
    using namespace std::chrono;
    const year_month_day tomorrow{
        sys_days{year_month_day{year{now.year}, month{static_cast<unsigned>(now.month)},
                                day{static_cast<unsigned>(now.day)}}} +
        days{1}};
    return date <= platform::DateTime{static_cast<int>(tomorrow.year()),
                                      static_cast<int>(static_cast<unsigned>(tomorrow.month())),
                                      static_cast<int>(static_cast<unsigned>(tomorrow.day())),
                                      now.hour,
                                      now.minute,
                                      now.second};
}

std::optional<platform::DateTime> ParseBelievableDateReply(std::string_view reply,
                                                           const platform::DateTime& now) {
    const auto date = ParseDateReply(reply);
    return date && IsBelievableDefinitionsDate(*date, now) ? date : std::nullopt;
}

platform::DateTime InstalledDefinitionsDate(const platform::DateTime& now) {
    const auto builtIn = *platform::ParseUsDate(kDefaultDefinitionsDate);
    try {
        const auto installed = platform::ParseUsDate(LoadDefinitionsDate());
        return installed && IsBelievableDefinitionsDate(*installed, now) ? *installed : builtIn;
    } catch (const std::exception&) {
        return builtIn;
    }
}
