#include <QApplication>

#include "forms/form_registry.h"
#include "forms/host.h"
#include "platform/application.h"
#include "qt/application_setup.h"
#include "qt/qt_host.h"
#include "qt/termination_signal.h"
#include "ui/frm_main.h"
#include "ui/frm_splash.h"

// Asked by the system to end: the main window closes as when the desktop session ends, saving its
// state; whatever is still open after that (the splash, the browser window) ends with the process.
void EndForTheSystem() {
    if (FrmMainForm* main = forms::LoadedInstance<FrmMainForm>()) {
        main->CloseForSessionEnd();
    }
    forms::CurrentHost().EndProcess();
}

// The program's start, run inside the application with the host installed: the splash, whose
// timer opens the main window; then the event loop, until the main window's shutdown ends the
// process.
int RunProgram(QApplication& application) {
    frmSplash().Show();
    return application.exec();
}

int main(int argc, char** argv) {
    platform::PreviousInstance();  // takes this account's instance lock first thing
    frontend::PrepareQtApplication();
    QApplication application(argc, argv);
    frontend::ConfigureQtApplication(application);
    frontend::QtHost host;
    forms::ScopedHost installed(host);
    frontend::OnTerminationSignal(EndForTheSystem);
    const int result = RunProgram(application);
    forms::DestroyAllForms();
    return result;
}
