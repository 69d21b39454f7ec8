// The language chooser opened on the Qt host (offscreen) with 10,000 languages in the language
// file, 1.6 MB, well under what the download of a language file takes: from the first reference
// (its load translates it and fills the list) to the window shown.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "bench_machine.h"
#include "forms/form_registry.h"
#include "forms/host.h"
#include "foundation/brand.h"
#include "localization/globals.h"
#include "qt/application_setup.h"
#include "qt/outermost_loop.h"
#include "qt/qt_host.h"
#include "support/temporary_program_folder.h"
#include "ui/frm_language.h"

namespace bench {
namespace {

constexpr int kLanguages = 10'000;

std::string ManyLanguages() {
    std::string file =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<XML_DIZ_INFO>\n"
        "<LANGUAGE_GROUP xml:lang=\"en\">\n\t<LANGUAGE_NAME>English</LANGUAGE_NAME>\n"
        "\t<TRANSLATION_ITEMS>\n\t</TRANSLATION_ITEMS>\n</LANGUAGE_GROUP>\n";
    for (int i = 1; i < kLanguages; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "Language %05d", i);
        file += std::string("<LANGUAGE_GROUP xml:lang=\"x\">\n\t<LANGUAGE_NAME>") + name +
                "</LANGUAGE_NAME>\n\t<TRANSLATION_ITEMS>\n"
                "\t\t<frmLanguage_Command2>OK</frmLanguage_Command2>\n"
                "\t\t<frmLanguage_Command1>Check for language updates</frmLanguage_Command1>\n"
                "\t</TRANSLATION_ITEMS>\n</LANGUAGE_GROUP>\n";
    }
    return file + "</XML_DIZ_INFO>\n";
}

QApplication& OffscreenApplication() {
    static int argc = 1;
    static char name[] = "scan_bench";
    static char* argv[] = {name, nullptr};
    static QApplication* application = [] {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        frontend::PrepareQtApplication();
        return new QApplication(argc, argv);
    }();
    return *application;
}

void BM_OpenLanguageChooser(benchmark::State& state) {
    TheBenchMachine();
    const test_support::TemporaryProgramFolder program;
    program.WriteFile("Localization.xml", ManyLanguages());
    OffscreenApplication();
    frontend::QtHost host;
    const forms::ScopedHost installed(host);
    InitBrandSettings();
    gLanguages = std::make_unique<clsLanguages>();
    gLanguages->LoadDefaultMessages();
    gCurrentLanguage = "English";
    for (auto _ : state) {
        frmLanguage().Show();
        QCoreApplication::processEvents();
        state.PauseTiming();
        if (frmLanguage().Combo1.ListCount() != kLanguages) {
            state.SkipWithError("the list does not hold every language");
        }
        frmLanguage().Unload();
        forms::DestroyAllForms();
        frontend::DestroyWaitingObjects();
        state.ResumeTiming();
    }
    gLanguages.reset();
}
BENCHMARK(BM_OpenLanguageChooser)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace bench
