#include "ui/language_download.h"

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

std::optional<std::string> LanguageFileFromDownload(std::string_view answer) {
    if (platform::FindIgnoringCase(answer, "<TRANSLATION_ITEMS>") == std::string_view::npos ||
        LanguageGroupNames(answer).empty()) {
        return std::nullopt;
    }
    const std::size_t firstTag = answer.find('<');
    return std::string(answer.substr(firstTag)) + "\r\n";
}
