#include "ui/language_download.h"

#include <algorithm>
#include <cstdlib>

#include "localization/language_file.h"
#include "platform/text_case.h"

std::string LanguageServerAddress() {
    const char* overridden = std::getenv("TOLLENWARK_LANGUAGE_SERVER");
    std::string address = overridden != nullptr && *overridden != '\0'
                              ? overridden
                              : std::string(kLanguageServerHost);
    while (!address.empty() && address.back() == '/') {
        address.pop_back();
    }
    return address;
}

std::string LanguageFileAddress(int programId) {
    return LanguageServerAddress() + "/Languages/" + std::to_string(programId) + "/" +
           std::string(kLanguageFileName);
}

std::optional<std::string> LanguageFileFromDownload(std::string_view answer,
                                                    std::string_view oldFileText) {
    if (platform::FindIgnoringCase(answer, "<TRANSLATION_ITEMS>") == std::string_view::npos ||
        !IsWholeLanguageFile(answer)) {
        return std::nullopt;
    }
    const std::vector<std::string> offered = LanguageGroupNames(answer);
    std::vector<std::string> kept = LanguageGroupNames(oldFileText);
    kept.emplace_back("English");
    for (const std::string& name : kept) {
        if (std::none_of(offered.begin(), offered.end(), [&name](const std::string& other) {
                return platform::EqualsIgnoringCase(name, other);
            })) {
            return std::nullopt;
        }
    }
    const std::size_t firstTag = answer.find('<');
    return std::string(answer.substr(firstTag)) + "\r\n";
}
