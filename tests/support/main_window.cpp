#include "support/main_window.h"

#include <memory>
#include <typeinfo>

#include "engine/globals.h"
#include "forms/form_registry.h"
#include "foundation/globals.h"
#include "localization/globals.h"
#include "ui/globals.h"
#include "update/globals.h"

namespace test_support {
namespace {

class MainWindowWithoutStartUp final : public FrmMainForm {
  protected:
    void Form_Load() override {}
};

}  // namespace

FrmMainForm& LoadMainWindowWithoutStartUp() {
    if (FrmMainForm* loaded = forms::LoadedInstance<FrmMainForm>()) {
        return *loaded;
    }
    // Registered under the main window's own class, so that FrmMain() returns this window.
    return static_cast<FrmMainForm&>(
        forms::FormLoader::Load(typeid(FrmMainForm), std::make_unique<MainWindowWithoutStartUp>()));
}

void ResetProgramGlobals() {
    ResetFoundationGlobals();
    ResetLocalizationGlobals();
    ResetEngineGlobals();
    ResetUpdateGlobals();
    ResetUiGlobals();
}

}  // namespace test_support
