#include "qt/application_setup.h"

#include <unistd.h>

#include <QApplication>
#include <cstdlib>

#include "platform/version_block.h"
#include "qt/pictures.h"

namespace frontend {

void PrepareQtApplication() {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    if (::geteuid() == 0) {
        ::setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 0);
    }
}

void ConfigureQtApplication(QApplication& application) {
    const QString product = QString::fromStdString(platform::ProgramVersionBlock().productName);
    // No display name: Qt would add it to every window title, and the titles are the program's.
    QApplication::setApplicationName(product);
    application.setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(ProgramIcon());
}

}  // namespace frontend
