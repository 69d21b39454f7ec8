#include "qt/message_box_dialog.h"

#include <QMessageBox>
#include <QPushButton>
#include <map>

#include "qt/line_ends.h"

namespace frontend {
namespace {

using forms::MsgBoxResult;

QMessageBox::StandardButton ToStandardButton(MsgBoxResult answer) {
    static const std::map<MsgBoxResult, QMessageBox::StandardButton> kButtons = {
        {MsgBoxResult::Ok, QMessageBox::Ok},         {MsgBoxResult::Cancel, QMessageBox::Cancel},
        {MsgBoxResult::Abort, QMessageBox::Abort},   {MsgBoxResult::Retry, QMessageBox::Retry},
        {MsgBoxResult::Ignore, QMessageBox::Ignore}, {MsgBoxResult::Yes, QMessageBox::Yes},
        {MsgBoxResult::No, QMessageBox::No},
    };
    return kButtons.at(answer);
}

QMessageBox::Icon ToIcon(int style) {
    switch (style & forms::kMsgBoxIconMask) {
        case forms::MsgBoxCritical:
            return QMessageBox::Critical;
        case forms::MsgBoxQuestion:
            return QMessageBox::Question;
        case forms::MsgBoxExclamation:
            return QMessageBox::Warning;
        case forms::MsgBoxInformation:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

}  // namespace

std::vector<MsgBoxResult> MsgBoxButtons(int style) {
    switch (style & forms::kMsgBoxButtonsMask) {
        case forms::MsgBoxOkCancel:
            return {MsgBoxResult::Ok, MsgBoxResult::Cancel};
        case forms::MsgBoxAbortRetryIgnore:
            return {MsgBoxResult::Abort, MsgBoxResult::Retry, MsgBoxResult::Ignore};
        case forms::MsgBoxYesNoCancel:
            return {MsgBoxResult::Yes, MsgBoxResult::No, MsgBoxResult::Cancel};
        case forms::MsgBoxYesNo:
            return {MsgBoxResult::Yes, MsgBoxResult::No};
        case forms::MsgBoxRetryCancel:
            return {MsgBoxResult::Retry, MsgBoxResult::Cancel};
        default:
            return {MsgBoxResult::Ok};
    }
}

MsgBoxResult MsgBoxEscapeAnswer(int style) {
    for (MsgBoxResult answer :
         {MsgBoxResult::Cancel, MsgBoxResult::Ok, MsgBoxResult::No, MsgBoxResult::Abort}) {
        if (forms::IsAnswerOffered(style, answer)) {
            return answer;
        }
    }
    return MsgBoxResult::Ok;
}

MsgBoxResult ShowMessageBox(const std::string& text, int style, const std::string& title) {
    const std::string shownTitle = title.empty() ? forms::ApplicationTitle() : title;
    QMessageBox box(ToIcon(style), QString::fromStdString(shownTitle),
                    QString::fromStdString(ToEditorLineEnds(text)), QMessageBox::NoButton);
    box.setTextFormat(Qt::PlainText);
    std::map<QAbstractButton*, MsgBoxResult> answers;
    const std::vector<MsgBoxResult> buttons = MsgBoxButtons(style);
    for (MsgBoxResult answer : buttons) {
        answers[box.addButton(ToStandardButton(answer))] = answer;
    }
    box.setDefaultButton(ToStandardButton(buttons.front()));
    box.setEscapeButton(box.button(ToStandardButton(MsgBoxEscapeAnswer(style))));
    box.exec();
    auto pressed = answers.find(box.clickedButton());
    return pressed == answers.end() ? MsgBoxEscapeAnswer(style) : pressed->second;
}

}  // namespace frontend
