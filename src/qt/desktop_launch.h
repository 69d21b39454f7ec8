#pragma once

#include <string>
#include <string_view>
#include <vector>

// Opening documents and starting programs for the program, which names them by Windows paths.
namespace frontend {

// The arguments of a command line: separated by blanks, a quoted part ("C:\Program Files\x")
// kept whole without its quotes.
std::vector<std::string> SplitCommandArguments(std::string_view arguments);

// Whether a program is one of the Windows viewers the program starts on a folder or a file (the
// file explorer, the text editor); on this desktop the default application for the item serves.
bool IsDesktopViewer(std::string_view program);

// Opens a document, a folder or an address (http:, https:, mailto:) with the desktop's default
// application, without waiting: documents and folders through xdg-open. False when there is
// nothing to open or the desktop refused.
bool OpenWithDesktop(const std::string& pathOrAddress);

// Whether the desktop names a default application for the document's type, as xdg-mime tells;
// false for a document that is not there and when xdg-mime cannot be asked.
bool DesktopHasApplicationFor(const std::string& path);

// Starts a program with its arguments without waiting; arguments that are Windows paths are handed
// over as host paths.
bool StartDetachedProgram(const std::string& program, const std::string& arguments);

}  // namespace frontend
