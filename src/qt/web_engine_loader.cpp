#include <QCoreApplication>
#include <QFileInfo>
#include <QLibrary>

#include "qt/web_engine.h"

// Only a build with the engine has the module; without it the browser view never asks for it.
#ifdef TOLLENWARK_WEB_ENGINE_MODULE

namespace frontend {
namespace {

// Beside the program, where it is shipped; else where the build put it, for the test and
// benchmark programs that run from folders of their own.
MakeWebEngineFunction LoadMaker() {
    const QString built = QStringLiteral(TOLLENWARK_WEB_ENGINE_MODULE);
    const QString candidates[] = {
        QCoreApplication::applicationDirPath() + '/' + QFileInfo(built).fileName(), built};
    for (const QString& file : candidates) {
        QLibrary module(file);  // never unloaded: its pages may outlive any one browser
        if (auto* maker =
                reinterpret_cast<MakeWebEngineFunction>(module.resolve(kMakeWebEngineSymbol))) {
            return maker;
        }
    }
    return nullptr;
}

}  // namespace

std::unique_ptr<WebEngine> MakeWebEngine(QWidget* container, QObject* receiver,
                                         const WebEngineEvents& events) {
    static const MakeWebEngineFunction maker = LoadMaker();
    if (maker == nullptr) {
        return nullptr;
    }
    return std::unique_ptr<WebEngine>(maker(container, receiver, events));
}

}  // namespace frontend

#endif
