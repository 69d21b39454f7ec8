#include "support/main_window.h"

#include <memory>
#include <typeinfo>

#include "forms/form_registry.h"

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

}  // namespace test_support
