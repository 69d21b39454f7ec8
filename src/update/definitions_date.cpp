#include "update/definitions_date.h"

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

platform::DateTime InstalledDefinitionsDate() {
    const auto builtIn = *platform::ParseUsDate(kDefaultDefinitionsDate);
    try {
        return platform::ParseUsDate(LoadDefinitionsDate()).value_or(builtIn);
    } catch (const std::exception&) {
        return builtIn;
    }
}
