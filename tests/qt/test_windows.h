#pragma once

#include <string>
#include <vector>

#include "forms/buttons.h"
#include "forms/containers.h"
#include "forms/control_array.h"
#include "forms/date_picker.h"
#include "forms/form.h"
#include "forms/form_registry.h"
#include "forms/labels.h"
#include "forms/list_boxes.h"
#include "forms/list_view.h"
#include "forms/menu.h"
#include "forms/progress_bar.h"
#include "forms/status_bar.h"
#include "forms/tab_strip.h"
#include "forms/text_box.h"
#include "forms/timer.h"
#include "forms/web_browser.h"

// A window with one control of every kind, which logs its events.
class GalleryForm : public forms::Form {
  public:
    GalleryForm();

    forms::Menu mnuFile{*this, "mnuFile"};
    forms::ControlArray<forms::Menu> mnuFileItem{*this, "mnuFileItem", {0, 1, 2, 3}};
    forms::Label lblTitle{*this, "lblTitle"};
    forms::SkinLabel lblSkin{*this, "lblSkin"};
    forms::CommandButton cmdGo{*this, "cmdGo"};
    forms::CheckBox chkLog{*this, "chkLog"};
    forms::Frame fraMode{*this, "fraMode"};
    forms::OptionButton optQuick{*this, "optQuick"};
    forms::OptionButton optFull{*this, "optFull"};
    forms::PictureBox picBanner{*this, "picBanner"};
    forms::Image imgLogo{*this, "imgLogo"};
    forms::Shape shpCircle{*this, "shpCircle"};
    forms::TextBox txtName{*this, "txtName"};
    forms::TextBox txtNotes{*this, "txtNotes"};
    forms::ComboBox cmbDays{*this, "cmbDays"};
    forms::ListBox lstPlaces{*this, "lstPlaces"};
    forms::ListView lvwFound{*this, "lvwFound"};
    forms::TabStrip TabStrip1{*this, "TabStrip1"};
    forms::ProgressBar pbMain{*this, "pbMain"};
    forms::DTPicker dtpWhen{*this, "dtpWhen"};
    forms::StatusBar StatusBar1{*this, "StatusBar1"};
    forms::WebBrowser wbPage{*this, "wbPage"};
    forms::Timer tmrTick{*this, "tmrTick"};

    std::vector<std::string> events;
    bool unloadOnGo = false;
    int swallowKey = 0;

  protected:
    void Form_QueryUnload(bool& cancel, forms::UnloadMode mode) override;
    void Form_Resize() override { events.push_back("Resize"); }
    void Form_MouseMove(int, int, double x, double) override {
        events.push_back("Form_MouseMove " + std::to_string(static_cast<int>(x)));
    }
    void Form_TrayMessage(int message) override {
        events.push_back("Tray " + std::to_string(message));
    }

  private:
    void Log(const std::string& event) { events.push_back(event); }
};

inline GalleryForm& frmGallery() {
    return forms::DefaultInstance<GalleryForm>();
}

// A small window for the modal and pixel-scale tests.
class NoteForm : public forms::Form {
  public:
    NoteForm() : Form("frmNote") {
        SetCaption("Note");
        cmdOk.Move(120, 120, 1200, 375);
        cmdOk.SetCaption("OK");
        cmdOk.OnClick = [this] { Hide(); };
        tmrWait.SetInterval(10);
        tmrWait.SetEnabled(false);
        tmrWait.OnTimer = [this] { ++ticks; };
    }
    forms::CommandButton cmdOk{*this, "cmdOk"};
    forms::Timer tmrWait{*this, "tmrWait"};
    int ticks = 0;
};

inline NoteForm& frmNote() {
    return forms::DefaultInstance<NoteForm>();
}
