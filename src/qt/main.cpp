#include <QApplication>
#include <QMainWindow>

#include "platform/version_block.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QString::fromStdString(platform::ProgramVersionBlock().productName));
    window.resize(800, 600);
    window.show();
    return app.exec();
}
