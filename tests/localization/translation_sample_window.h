#pragma once

#include <string>

#include "forms/buttons.h"
#include "forms/containers.h"
#include "forms/control_array.h"
#include "forms/form.h"
#include "forms/form_registry.h"
#include "forms/labels.h"
#include "forms/list_view.h"
#include "forms/menu.h"
#include "forms/tab_strip.h"
#include "forms/text_box.h"
#include "forms/timer.h"

// A window with one control of every kind the language file names, arrays included, and a few it
// does not translate.
class FrmSampleForm : public forms::Form {
  public:
    FrmSampleForm() : Form("frmSample") {
        SetCaption("Sample window");
        lblTitle.SetCaption("Title");
        SkinLabel1(0).SetCaption("Skinned");
        SkinLabel1(1).SetCaption("Skinned too");
        cmdOk.SetCaption("OK");
        fraBox.SetCaption("Box");
        chkOption.SetCaption("Option");
        optAlone.SetCaption("Alone");
        optChoice(0).SetCaption("First choice");
        optChoice(1).SetCaption("Second choice");
        mnuFile.SetCaption("File");
        for (int index : {0, 1}) {
            mnuFileItem(index).SetContainer(&mnuFile);
        }
        mnuFileItem(0).SetCaption("Open");
        mnuFileItem(1).SetCaption("Exit");
        tabPages.Tabs.Add("General");
        tabPages.Tabs.Add("Advanced");
        lvwItems.ColumnHeaders.Add("Name");
        lvwItems.ColumnHeaders.Add("Size");
        txtName.SetText("typed text");
    }

    forms::Label lblTitle{*this, "lblTitle"};
    forms::ControlArray<forms::SkinLabel> SkinLabel1{*this, "SkinLabel1", {0, 1}};
    forms::CommandButton cmdOk{*this, "cmdOk"};
    forms::Frame fraBox{*this, "fraBox"};
    forms::CheckBox chkOption{*this, "chkOption"};
    forms::OptionButton optAlone{*this, "optAlone"};
    forms::ControlArray<forms::OptionButton> optChoice{*this, "optChoice", {0, 1}};
    forms::Menu mnuFile{*this, "mnuFile"};
    forms::ControlArray<forms::Menu> mnuFileItem{*this, "mnuFileItem", {0, 1}};
    forms::TabStrip tabPages{*this, "tabPages"};
    forms::ListView lvwItems{*this, "lvwItems"};
    forms::TextBox txtName{*this, "txtName"};
    forms::Timer tmrTick{*this, "tmrTick"};
};

inline FrmSampleForm& frmSample() {
    return forms::DefaultInstance<FrmSampleForm>();
}

// A second window, for listings that run over every loaded window.
class FrmOtherForm : public forms::Form {
  public:
    FrmOtherForm() : Form("frmOther") { cmdClose.SetCaption("Close"); }
    forms::CommandButton cmdClose{*this, "cmdClose"};
};

inline FrmOtherForm& frmOther() {
    return forms::DefaultInstance<FrmOtherForm>();
}
