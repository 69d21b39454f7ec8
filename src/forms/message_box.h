#pragma once

#include <string>
#include <string_view>

// Message boxes: the classic button sets, icons and answers.
namespace forms {

// Button sets and icons, combined with |.
enum MsgBoxStyle : int {
    MsgBoxOkOnly = 0,
    MsgBoxOkCancel = 1,
    MsgBoxAbortRetryIgnore = 2,
    MsgBoxYesNoCancel = 3,
    MsgBoxYesNo = 4,
    MsgBoxRetryCancel = 5,
    MsgBoxCritical = 16,
    MsgBoxQuestion = 32,
    MsgBoxExclamation = 48,
    MsgBoxInformation = 64,
};

enum class MsgBoxResult { Ok = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };

inline constexpr int kMsgBoxButtonsMask = 0x0F;
inline constexpr int kMsgBoxIconMask = 0xF0;

// Whether the answer is one of the buttons of the style's button set.
bool IsAnswerOffered(int style, MsgBoxResult answer);

// The title a box without a title of its own carries; the product name unless set.
const std::string& ApplicationTitle();
void SetApplicationTitle(std::string title);

// Shows a modal box through the current host; an empty title becomes ApplicationTitle().
MsgBoxResult MsgBox(std::string_view text, int style = MsgBoxOkOnly, std::string_view title = {});

}  // namespace forms
