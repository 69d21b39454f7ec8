#include "qt/unhandled_errors.h"

#include "forms/host.h"

namespace frontend {
namespace {

UnhandledErrorHandler& InstalledHandler() {
    static UnhandledErrorHandler handler;
    return handler;
}

void ShowAndEnd(const std::string& what) {
    if (!forms::HasHost()) {
        std::abort();
    }
    try {
        forms::MsgBox("Run-time error: " + what, forms::MsgBoxCritical);
    } catch (...) {
        // The program ends anyway.
    }
    // A script or service manager that started the program learns that it failed.
    forms::CurrentHost().EndProcess(forms::kFailedEnd);
}

}  // namespace

void SetUnhandledErrorHandler(UnhandledErrorHandler handler) {
    InstalledHandler() = std::move(handler);
}

void ReportUnhandledError(const std::string& what) {
    if (InstalledHandler()) {
        InstalledHandler()(what);
    } else {
        ShowAndEnd(what);
    }
}

}  // namespace frontend
