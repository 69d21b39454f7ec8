#include "scan_fixture.h"

#include <filesystem>

#include "engine/globals.h"
#include "forms/form_registry.h"
#include "foundation/brand.h"
#include "foundation/definition_files.h"
#include "foundation/globals.h"
#include "foundation/line_codec.h"
#include "localization/globals.h"
#include "platform/text_encoding.h"
#include "support/definition_file_writer.h"
#include "support/main_window.h"

namespace {

void ResetProgram() {
    forms::DestroyAllForms();
    ResetFoundationGlobals();
    ResetLocalizationGlobals();
    ResetEngineGlobals();
}

// Done before the main window loads, so that its design meets the identity it will show.
bool PrepareProgram() {
    ResetProgram();
    InitBrandSettings();
    gLanguages = std::make_unique<clsLanguages>();
    gLanguages->LoadDefaultMessages();
    return true;
}

}  // namespace

ScanTest::ScanTest() : main_((PrepareProgram(), test_support::LoadMainWindowWithoutStartUp())) {}

ScanTest::~ScanTest() {
    ResetProgram();
}

void ScanTest::WriteDefinitions(std::string_view fileName,
                                const std::vector<std::string>& lines) const {
    test_support::WriteEncodedDefinitions(program.path(), fileName, lines);
}

void ScanTest::WriteEveryDefinitionFile() const {
    test_support::WriteMissingDefinitionFiles(program.path());
}

std::vector<std::string> ScanTest::RowTexts(const forms::ListView& list) {
    std::vector<std::string> texts;
    for (int i = 1; i <= list.ListItems.Count(); ++i) {
        texts.push_back(list.ListItems(i).Text());
    }
    return texts;
}
