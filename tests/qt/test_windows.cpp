#include "test_windows.h"

GalleryForm::GalleryForm() : Form("frmGallery") {
    SetCaption("Every control");
    Move(600, 600, 9600, 8400);

    mnuFile.SetCaption("&File");
    const char* items[] = {"Scan Now", "-", "Hidden", "E&xit"};
    for (int i = 0; i < 4; ++i) {
        mnuFileItem(i).SetCaption(items[i]);
        mnuFileItem(i).SetContainer(&mnuFile);
    }
    mnuFileItem(2).SetVisible(false);
    mnuFileItem(0).SetChecked(true);
    mnuFileItem.Wire([this](forms::Menu& item, int index) {
        item.OnClick = [this, index] { Log("mnuFileItem_Click " + std::to_string(index)); };
    });

    lblTitle.Move(120, 120, 3000, 255);
    lblTitle.SetCaption("Malicious Program Found");
    lblTitle.SetFontBold(true);
    lblTitle.OnClick = [this] { Log("lblTitle_Click"); };
    lblSkin.Move(3240, 120, 2400, 255);
    lblSkin.SetCaption("Skinned, right aligned");
    lblSkin.SetAlignment(forms::Alignment::Right);
    lblSkin.SetFontItalic(true);
    lblSkin.SetForeColor(forms::Rgb(0, 0, 160));

    cmdGo.Move(120, 480, 1500, 375);
    cmdGo.SetCaption("Start");
    cmdGo.OnClick = [this] {
        Log("cmdGo_Click");
        if (unloadOnGo) {
            Unload();
        }
    };
    chkLog.Move(1800, 480, 2400, 315);
    chkLog.SetCaption("Save scan results to log");
    chkLog.OnClick = [this] { Log("chkLog_Click " + std::to_string(chkLog.Value())); };

    fraMode.Move(120, 960, 2700, 1095);
    fraMode.SetCaption("Scan");
    optQuick.SetContainer(&fraMode);
    optQuick.Move(120, 300, 2400, 315);
    optQuick.SetCaption("Quick Scan");
    optQuick.OnClick = [this] { Log("optQuick_Click"); };
    optFull.SetContainer(&fraMode);
    optFull.Move(120, 660, 2400, 315);
    optFull.SetCaption("Complete System Scan");
    optFull.SetValue(true);
    optFull.OnClick = [this] { Log("optFull_Click"); };

    picBanner.Move(3000, 960, 2700, 1095);
    picBanner.SetBackColor(forms::Rgb(255, 255, 224));
    imgLogo.Move(5880, 960, 480, 480);
    shpCircle.Move(6480, 960, 480, 480);
    shpCircle.SetShapeType(forms::ShapeType::Circle);
    shpCircle.SetFillStyle(forms::FillStyle::Solid);
    shpCircle.SetFillColor(forms::Rgb(0, 160, 0));

    txtName.Move(120, 2160, 3000, 315);
    txtName.SetText("typed here");
    txtName.OnKeyPress = [this](int& key) {
        Log("txtName_KeyPress " + std::to_string(key));
        if (key == swallowKey) {
            key = 0;
        }
    };
    txtName.OnChange = [this] { Log("txtName_Change"); };
    txtNotes.Move(3240, 2160, 3000, 900);
    txtNotes.SetMultiLine(true);
    txtNotes.SetScrollBars(forms::ScrollBars::Vertical);
    txtNotes.SetLocked(true);
    txtNotes.SetText("first line\r\nsecond line");

    cmbDays.Move(120, 2640, 2000, 315);
    cmbDays.SetStyle(forms::ComboStyle::DropDownList);
    for (const char* day : {"Monday", "Tuesday", "Daily", "Never"}) {
        cmbDays.AddItem(day);
    }
    cmbDays.OnClick = [this] { Log("cmbDays_Click " + std::to_string(cmbDays.ListIndex())); };
    lstPlaces.Move(120, 3120, 2000, 900);
    lstPlaces.AddItem("C:\\");
    lstPlaces.AddItem("E:\\");

    lvwFound.Move(2280, 3120, 6000, 1800);
    lvwFound.SetCheckboxes(true);
    lvwFound.ColumnHeaders.Add("Spyware/Adware Found", 2400);
    lvwFound.ColumnHeaders.Add("Location", 2400);
    lvwFound.ColumnHeaders.Add("Type", 1000);
    lvwFound.OnItemCheck = [this](forms::ListItem& item) {
        Log("lvwFound_ItemCheck " + std::to_string(item.Index()) + " " +
            (item.Checked() ? "on" : "off"));
    };

    TabStrip1.Move(120, 5040, 6000, 375);
    for (const char* tab : {"Scan Options", "Proactive Protection", "Schedule", "Auto Update"}) {
        TabStrip1.Tabs.Add(tab);
    }
    TabStrip1.OnClick = [this] {
        Log("TabStrip1_Click " + std::to_string(TabStrip1.SelectedIndex()));
    };

    pbMain.Move(120, 5520, 6000, 255);
    pbMain.SetValue(40);
    dtpWhen.Move(120, 5880, 2400, 315);
    dtpWhen.SetFormat(forms::DateFormat::Custom);
    dtpWhen.SetCustomFormat("dd/MM/yyyy");
    dtpWhen.SetValue(platform::DateTime{2006, 3, 16, 0, 0, 0});
    dtpWhen.OnChange = [this] { Log("dtpWhen_Change"); };

    wbPage.Move(2640, 5880, 5640, 1200);

    StatusBar1.Move(0, 7200, 9300, 315);
    StatusBar1.Panels.Add("Ready", 4000);
    StatusBar1.Panels.Add("Done", 4000);

    tmrTick.SetInterval(10);
    tmrTick.SetEnabled(false);
    tmrTick.OnTimer = [this] { Log("tmrTick_Timer"); };
}

void GalleryForm::Form_QueryUnload(bool&, forms::UnloadMode mode) {
    Log("QueryUnload " + std::to_string(static_cast<int>(mode)));
}
