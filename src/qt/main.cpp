#include <QApplication>

#include "forms/form_registry.h"
#include "forms/host.h"
#include "platform/application.h"
#include "qt/application_setup.h"
#include "qt/qt_host.h"
#include "ui/frm_splash.h"

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
    const int result = RunProgram(application);
    forms::DestroyAllForms();
    return result;
}
