// Localization.xml, as a translator may leave it: read from the program folder, then every group
// and the translation of a few keys looked up.
#include <string>
#include <vector>

#include "localization/language_file.h"
#include "support/fuzz_environment.h"

namespace {

void LookUpTranslations(const std::string& fileText, const std::string& language) {
    const auto items = LanguageGroupItems(fileText, language);
    if (!items) {
        return;
    }
    const std::vector<std::string> lines = SplitItemLines(*items);
    for (const char* key : {"FrmMain_cmdScan", "MSG_STOP", "", "<", "FrmMain"}) {
        ReplaceIdentityPlaceholders(FindItemText(lines, key), "Tollenwark", "Tollenwark Labs",
                                    "tollenwark.example");
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz_support::IsolateProcess();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto path = fuzz_support::ProgramFolder() / kLanguageFileName;
    fuzz_support::WriteHostFile(path, fuzz_support::Bytes(data, size));
    const auto fileText = ReadLanguageFile(fuzz_support::WindowsPath(path));
    fuzz_support::Require(fileText.has_value(), "the language file could not be read");
    for (const std::string& language : LanguageGroupNames(*fileText)) {
        LookUpTranslations(*fileText, language);
    }
    LookUpTranslations(*fileText, "English");
    fuzz_support::Require(!IsWholeLanguageFile(*fileText) || !LanguageGroupNames(*fileText).empty(),
                          "a whole language file without a language");
    return 0;
}
