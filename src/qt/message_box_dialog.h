#pragma once

#include <string>
#include <vector>

#include "forms/message_box.h"

namespace frontend {

// The buttons of a style's button set, in the order shown; the first is the default.
std::vector<forms::MsgBoxResult> MsgBoxButtons(int style);
// The answer that Escape and the close box give: Cancel where the box offers it, otherwise the
// answer that changes least (OK, No, Abort).
forms::MsgBoxResult MsgBoxEscapeAnswer(int style);

// Shows a modal message box (on a nested event loop) and returns the button pressed.
forms::MsgBoxResult ShowMessageBox(const std::string& text, int style, const std::string& title);

}  // namespace frontend
