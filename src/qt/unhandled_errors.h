#pragma once

#include <functional>
#include <string>

// A failure that no handler of the program caught must not cross Qt's event dispatch (that is
// undefined). It ends the program after telling the user, as an unhandled run-time error always
// has; tests put a handler of their own in place.
namespace frontend {

using UnhandledErrorHandler = std::function<void(const std::string& what)>;

// Puts a handler in place; an empty one brings back the default (a critical box, then the end).
void SetUnhandledErrorHandler(UnhandledErrorHandler handler);

void ReportUnhandledError(const std::string& what);

// Runs a piece of the program for the event loop, reporting what escapes it.
template <class Action>
void RunGuarded(Action&& action) noexcept {
    try {
        action();
    } catch (const std::exception& error) {
        ReportUnhandledError(error.what());
    } catch (...) {
        ReportUnhandledError("an unknown error");
    }
}

}  // namespace frontend
