#pragma once

#include <string>

// The status line of the live update's download window. Writing it loads the window when it is not
// loaded (after Cancel), without showing it, so the update goes on behind the scenes.
void ShowDownloadStatus(const std::string& text);
// The same, then one turn of the window loop.
void ShowDownloadStatusAndYield(const std::string& text);
