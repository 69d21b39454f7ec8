#pragma once

#include <string>

// Opening documents for the program, which names them by Windows paths.
namespace frontend {

// Opens a document, a folder or an address (http:, https:, mailto:) with the desktop's default
// application, without waiting: documents and folders through xdg-open. False when there is
// nothing to open or the desktop refused.
bool OpenWithDesktop(const std::string& pathOrAddress);

// Whether the desktop names a default application for the document's type, as xdg-mime tells;
// false for a document that is not there and when xdg-mime cannot be asked.
bool DesktopHasApplicationFor(const std::string& path);

}  // namespace frontend
