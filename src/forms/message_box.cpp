#include "forms/message_box.h"

#include <initializer_list>

#include "forms/host.h"
#include "platform/version_block.h"

namespace forms {
namespace {

std::string& StoredTitle() {
    static std::string title = platform::ProgramVersionBlock().productName;
    return title;
}

bool OneOf(MsgBoxResult answer, std::initializer_list<MsgBoxResult> offered) {
    for (MsgBoxResult candidate : offered) {
        if (candidate == answer) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool IsAnswerOffered(int style, MsgBoxResult answer) {
    using R = MsgBoxResult;
    switch (style & kMsgBoxButtonsMask) {
        case MsgBoxOkOnly:
            return answer == R::Ok;
        case MsgBoxOkCancel:
            return OneOf(answer, {R::Ok, R::Cancel});
        case MsgBoxAbortRetryIgnore:
            return OneOf(answer, {R::Abort, R::Retry, R::Ignore});
        case MsgBoxYesNoCancel:
            return OneOf(answer, {R::Yes, R::No, R::Cancel});
        case MsgBoxYesNo:
            return OneOf(answer, {R::Yes, R::No});
        case MsgBoxRetryCancel:
            return OneOf(answer, {R::Retry, R::Cancel});
        default:
            return false;
    }
}

const std::string& ApplicationTitle() {
    return StoredTitle();
}

void SetApplicationTitle(std::string title) {
    StoredTitle() = std::move(title);
}

MsgBoxResult MsgBox(std::string_view text, int style, std::string_view title) {
    const std::string shownTitle = title.empty() ? ApplicationTitle() : std::string(title);
    return CurrentHost().MsgBox(std::string(text), style, shownTitle);
}

}  // namespace forms
