#pragma once

#include <QString>
#include <optional>
#include <string>

#include "forms/host.h"

namespace frontend {

// A filter of pairs ("Text files (*.txt)|*.txt|All files (*.*)|*.*") in Qt's notation
// ("Text files (*.txt);;All files (*)"). "*.*" means every file, as it does on Windows.
QString ToQtFileFilter(const std::string& filter);

// Shows the Open dialog (on a nested event loop); the chosen file as a Windows path.
std::optional<std::string> ShowOpenFileDialog(const forms::OpenDialogRequest& request);

}  // namespace frontend
