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
    forms::CurrentHost().EndProcess();
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
