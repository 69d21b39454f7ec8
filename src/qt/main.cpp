#include <QApplication>

#include "forms/form.h"
#include "forms/form_registry.h"
#include "forms/host.h"
#include "platform/application.h"
#include "platform/version_block.h"
#include "qt/application_setup.h"
#include "qt/qt_host.h"

namespace {

// The main window until the program's own start-up takes its place: empty, titled with the
// product name; closing it ends the program.
class StartWindowForm final : public forms::Form {
  public:
    StartWindowForm() : Form("frmStart") {
        SetCaption(platform::ProgramVersionBlock().productName);
        Move(2400, 1800, 12000, 9000);
    }

  protected:
    void Form_Unload(bool&) override { QCoreApplication::quit(); }
};

}  // namespace

// The program's start, run inside the application with the host installed: the first window,
// then the event loop for as long as the program runs.
int RunProgram(QApplication& application) {
    forms::DefaultInstance<StartWindowForm>().Show();
    return application.exec();
}

int main(int argc, char** argv) {
    platform::PreviousInstance();  // takes this account's instance lock first thing
    frontend::PrepareQtApplication();
    QApplication application(argc, argv);
    frontend::ConfigureQtApplication(application);
    frontend::QtHost host;
    forms::ScopedHost installed(host);
    const int result = RunProgram(application);
    forms::DestroyAllForms();
    return result;
}
