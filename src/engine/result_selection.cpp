// Ticking threats with their traces, excluding them, dropping ticked rows, opening the results.
#include <functional>

#include "engine/threat_ties.h"
#include "forms/message_box.h"
#include "foundation/exclusion_list.h"
#include "foundation/globals.h"
#include "foundation/path_text.h"
#include "localization/globals.h"
#include "ui/frm_main.h"
#include "update/submission.h"

namespace {

using RowTest = std::function<bool(const forms::ListItem&)>;

// Every row of the list that passes the test takes the tick.
void TickRowsWhere(forms::ListView& list, bool tick, const RowTest& belongs) {
    for (int i = 1; i <= list.ListItems.Count(); ++i) {
        forms::ListItem& row = list.ListItems(i);
        if (belongs(row)) {
            row.SetChecked(tick);
        }
    }
}

// Removes every ticked row; the others keep their order.
void DropCheckedRows(forms::ListView& list) {
    for (int i = list.ListItems.Count(); i >= 1; --i) {
        if (list.ListItems(i).Checked()) {
            list.ListItems.Remove(i);
        }
    }
}

std::string Message(std::string_view key) {
    return gLanguages->getMessages(key);
}

std::string ExclusionQuestion() {
    return Message("MSG_EXC_SURE1") + "\r\n\r\n" + Message("MSG_EXC_SURE2") + "\r\n\r\n" +
           Message("MSG_EXC_SURE3");
}

}  // namespace

// A threat's traces follow its tick: every file, registry and cookie row tied to it
// (threat_ties.h). A threat that one phase met first and another met again (a key and a program
// file of one threat) so goes whole, not only the traces of the phase that listed it.
void FrmMainForm::lvwPicRemoveListOfSpywareFoundAndToBeRemoved_ItemCheck(forms::ListItem& item) {
    const bool tick = item.Checked();
    TickRowsWhere(lvwFilesToBeDeleted, tick,
                  [&](const forms::ListItem& row) { return IsFileTraceOf(item, row); });
    TickRowsWhere(lvwRegistryToBeDeleted, tick,
                  [&](const forms::ListItem& row) { return IsRegistryTraceOf(item, row); });
    TickRowsWhere(lvwCookiesToDelete, tick,
                  [&](const forms::ListItem& row) { return IsCookieTraceOf(item, row); });
}

// Rows ticked already keep their traces as they are.
void FrmMainForm::cmdSelectAll_Click() {
    auto& threats = lvwPicRemoveListOfSpywareFoundAndToBeRemoved;
    const int count = threats.ListItems.Count();
    for (int i = 1; i <= count; ++i) {
        try {
            forms::ListItem& row = threats.ListItems(i);
            if (!row.Checked()) {
                row.SetChecked(true);
                lvwPicRemoveListOfSpywareFoundAndToBeRemoved_ItemCheck(row);
            }
        } catch (const std::exception&) {
            // A row that cannot be ticked stays as it is; the others still are.
        }
    }
}

// Each ticked threat adds its location and its name to the exclusion list. When an exclusion
// cannot be stored the rows stay, so nothing vanishes from the list that future scans would still
// report.
void FrmMainForm::cmdExclude_Click() {
    auto& threats = lvwPicRemoveListOfSpywareFoundAndToBeRemoved;
    if (lvwSpywareFound.ListItems.Count() == 0 && lvwRegistryToBeDeleted.ListItems.Count() == 0 &&
        threats.ListItems.Count() == 0) {
        forms::MsgBox(Message("MSG_SORRY"), forms::MsgBoxInformation, gProgramName);
        return;
    }
    if (forms::MsgBox(ExclusionQuestion(), forms::MsgBoxYesNo, Message("MSG_EXC_SURE4")) !=
        forms::MsgBoxResult::Yes) {
        return;
    }
    const int count = threats.ListItems.Count();
    for (int i = 1; i <= count; ++i) {
        const forms::ListItem& row = threats.ListItems(i);
        if (row.Checked() && (!AddExclusion(row.SubItems(1)) ||
                              !AddExclusion(ReplaceEachOnce(row.Text(), "Cookie: ", "")))) {
            return;
        }
    }
    DropCheckedFileRows();
    DropCheckedRegistryRows();
    DropCheckedFoundRows();
    DropCheckedCookieRows();
    lblDeletingCaption.SetCaption("");
    DropCheckedThreatRows();
}

void FrmMainForm::DropCheckedFileRows() {
    DropCheckedRows(lvwFilesToBeDeleted);
}

void FrmMainForm::DropCheckedCookieRows() {
    DropCheckedRows(lvwCookiesToDelete);
}

void FrmMainForm::DropCheckedRegistryRows() {
    DropCheckedRows(lvwRegistryToBeDeleted);
}

void FrmMainForm::DropCheckedFoundRows() {
    DropCheckedRows(lvwSpywareFound);
}

void FrmMainForm::DropCheckedThreatRows() {
    DropCheckedRows(lvwPicRemoveListOfSpywareFoundAndToBeRemoved);
}

void FrmMainForm::cmdRemove_Click() {
    cmdResults_Click();
}

// A scan that found nothing still sends the running programs' names when the user allows it.
void FrmMainForm::cmdResults_Click() {
    HideAllPanels();
    frmResults.SetVisible(true);
    if (lvwPicRemoveListOfSpywareFoundAndToBeRemoved.ListItems.Count() == 0 &&
        chkSendData.Value() == 1) {
        SubmitAnonymousData();
    }
}
