#include <gtest/gtest.h>

#include "forms/buttons.h"
#include "forms/containers.h"
#include "forms/form_registry.h"
#include "forms/labels.h"
#include "forms/list_boxes.h"
#include "forms/menu.h"
#include "forms/progress_bar.h"
#include "forms/tab_strip.h"
#include "forms/text_box.h"
#include "support/forms_fixture.h"

namespace {

// One window with a control of each kind whose values raise events.
class OptionsForm : public forms::Form {
  public:
    OptionsForm() : Form("frmOptions") {
        optOn.SetContainer(&fraShield);
        optOff.SetContainer(&fraShield);
        for (auto* button : {&optOn, &optOff, &optQuick, &optFull}) {
            button->OnClick = [this, button] { clicks.push_back(button->Name()); };
        }
        chkLog.OnClick = [this] { clicks.push_back("chkLog=" + std::to_string(chkLog.Value())); };
        cmbDays.SetStyle(forms::ComboStyle::DropDownList);
        for (const char* day : {"Monday", "Tuesday", "Daily"}) {
            cmbDays.AddItem(day);
        }
        cmbDays.OnClick = [this] { clicks.push_back("cmbDays=" + cmbDays.Text()); };
        Combo1.OnClick = [this] { clicks.push_back("Combo1"); };
        TabStrip1.Tabs.Add("Scan Options");
        TabStrip1.Tabs.Add("Schedule");
        TabStrip1.OnClick = [this] {
            clicks.push_back("tab " + std::to_string(TabStrip1.SelectedIndex()));
        };
        lblStart.OnClick = [this] { clicks.push_back("lblStart"); };
        mnuExit.OnClick = [this] { clicks.push_back("mnuExit"); };
        txtFilename.OnKeyPress = [](int& key) {
            if (key == 13) {
                key = 0;
            }
        };
        txtFilename.OnChange = [this] { clicks.push_back("txtFilename"); };
    }

    forms::Frame fraShield{*this, "fraShield"};
    forms::OptionButton optOn{*this, "optOn"};
    forms::OptionButton optOff{*this, "optOff"};
    forms::OptionButton optQuick{*this, "optQuick"};
    forms::OptionButton optFull{*this, "optFull"};
    forms::CheckBox chkLog{*this, "chkLog"};
    forms::ComboBox cmbDays{*this, "cmbDays"};
    forms::ComboBox Combo1{*this, "Combo1"};
    forms::TabStrip TabStrip1{*this, "TabStrip1"};
    forms::Label lblStart{*this, "lblStart"};
    forms::Menu mnuFile{*this, "mnuFile"};
    forms::Menu mnuExit{*this, "mnuExit"};
    forms::TextBox txtFilename{*this, "txtFilename"};
    forms::ProgressBar pb1{*this, "pb1"};
    forms::PictureBox picBox{*this, "picBox"};
    forms::CommandButton cmdOk{*this, "cmdOk"};
    forms::CommandButton cmdApply{*this, "cmdApply"};

    std::vector<std::string> clicks;
};

OptionsForm& frmOptions() {
    return forms::DefaultInstance<OptionsForm>();
}

using Clicks = std::vector<std::string>;

class ControlValues : public FormsTest {};

TEST_F(ControlValues, ACheckBoxRaisesClickWhenItsValueChangesByCodeOrByTheUser) {
    auto& box = frmOptions().chkLog;
    box.SetValue(forms::kChecked);
    box.SetValue(forms::kChecked);
    box.Click();
    box.SetValue(forms::kGrayed);
    box.Click();
    EXPECT_THROW(box.SetValue(3), forms::InvalidPropertyValue);
    box.SetEnabled(false);
    box.Click();

    EXPECT_EQ(box.Value(), forms::kUnchecked);
    EXPECT_EQ(frmOptions().clicks, (Clicks{"chkLog=1", "chkLog=0", "chkLog=2", "chkLog=0"}));
}

TEST_F(ControlValues, AnOptionButtonClearsItsPartnersOfTheSameContainerWithoutTheirClick) {
    auto& window = frmOptions();
    window.optQuick.SetValue(true);
    window.optOn.SetValue(true);
    window.optOff.Click();
    window.optOff.SetValue(true);

    EXPECT_FALSE(window.optOn.Value());
    EXPECT_TRUE(window.optOff.Value());
    EXPECT_TRUE(window.optQuick.Value()) << "a button of another container stays set";
    window.optFull.SetValue(true);
    EXPECT_FALSE(window.optQuick.Value());
    EXPECT_EQ(window.clicks, (Clicks{"optQuick", "optOn", "optOff", "optFull"}));
}

TEST_F(ControlValues, ADropDownListSelectsByIndexOrTextAndRaisesClickEachTime) {
    auto& days = frmOptions().cmbDays;
    days.SetListIndex(2);
    days.SetListIndex(2);
    days.SetText("monday");
    EXPECT_EQ(days.Text(), "Monday");
    EXPECT_THROW(days.SetText("Someday"), forms::InvalidPropertyValue);
    EXPECT_THROW(days.SetListIndex(3), forms::IndexOutOfRange);
    EXPECT_EQ(days.ListIndex(), 0);

    days.RemoveItem(0);
    EXPECT_EQ(days.ListIndex(), -1);
    EXPECT_EQ(days.Text(), "");
    days.SetListIndex(1);
    days.AddItem("Never", 0);
    EXPECT_EQ(days.ListIndex(), 2) << "the selection moves with its entry";
    EXPECT_EQ(days.Text(), "Daily");
    EXPECT_EQ(frmOptions().clicks,
              (Clicks{"cmbDays=Daily", "cmbDays=Daily", "cmbDays=Monday", "cmbDays=Daily"}));
}

TEST_F(ControlValues, ADropDownComboHoldsTextThatIsNotInTheList) {
    auto& combo = frmOptions().Combo1;
    combo.AddItem("English");
    combo.AddItem("French");
    combo.SetText("Choose Language Here");
    EXPECT_EQ(combo.Text(), "Choose Language Here");
    EXPECT_EQ(combo.ListIndex(), -1);

    combo.SetListIndex(1);
    EXPECT_EQ(combo.Text(), "French");
    combo.Clear();
    EXPECT_EQ(combo.ListCount(), 0);
    EXPECT_EQ(combo.Text(), "");
    EXPECT_EQ(frmOptions().clicks, Clicks{"Combo1"});
}

TEST_F(ControlValues, SelectingATabRaisesClickAlsoForTheSelectedTab) {
    auto& tabs = frmOptions().TabStrip1;
    EXPECT_EQ(tabs.SelectedIndex(), 1);
    tabs.Select(2);
    tabs.Select(2);
    tabs.Tabs(2).SetCaption("Zeitplan");
    EXPECT_THROW(tabs.Select(3), forms::IndexOutOfRange);
    EXPECT_EQ(tabs.SelectedIndex(), 2);
    EXPECT_EQ(tabs.Tabs(2).Caption(), "Zeitplan");
    EXPECT_EQ(frmOptions().clicks, (Clicks{"tab 2", "tab 2"}));
}

TEST_F(ControlValues, DisabledControlsIgnoreClicksAndMouseInput) {
    auto& window = frmOptions();
    int mouseMoves = 0;
    window.lblStart.OnMouseMove = [&](int, int, double, double) { ++mouseMoves; };
    window.lblStart.SetEnabled(false);
    window.mnuExit.SetEnabled(false);

    window.lblStart.Click();
    window.lblStart.MouseMove(0, 0, 1, 1);
    window.mnuExit.Click();
    window.lblStart.SetEnabled(true);
    window.lblStart.Click();
    window.lblStart.MouseMove(0, 0, 1, 1);

    EXPECT_EQ(window.clicks, Clicks{"lblStart"});
    EXPECT_EQ(mouseMoves, 1);
}

TEST_F(ControlValues, ALabelCaptionReadsBackAsANumber) {
    auto& label = frmOptions().lblStart;
    for (const auto& [caption, number] : std::vector<std::pair<std::string, double>>{
             {"41", 41}, {" 7 ", 7}, {"-2.5", -2.5}, {"12,345", 12345}, {"+3", 3}}) {
        label.SetCaption(caption);
        EXPECT_DOUBLE_EQ(label.CaptionAsNumber(), number) << caption;
    }
    for (const char* notANumber : {"", "Start", "1,", "nan", "3 4"}) {
        label.SetCaption(notANumber);
        EXPECT_THROW(label.CaptionAsNumber(), forms::InvalidPropertyValue) << notANumber;
    }
}

TEST_F(ControlValues, ATextBoxRaisesChangeAndLetsKeyPressSwallowAKey) {
    auto& box = frmOptions().txtFilename;
    EXPECT_EQ(box.KeyPress('a'), 'a');
    EXPECT_EQ(box.KeyPress(13), 0);
    box.SetText("line 1\r\nline 2");
    box.SetText("line 1\r\nline 2");
    EXPECT_EQ(box.Text(), "line 1\r\nline 2");
    box.SetEnabled(false);
    EXPECT_EQ(box.KeyPress('b'), 0);
    EXPECT_EQ(frmOptions().clicks, Clicks{"txtFilename"});
}

TEST_F(ControlValues, AProgressBarClampsValuesOutsideItsRange) {
    auto& bar = frmOptions().pb1;
    bar.SetValue(250);
    EXPECT_DOUBLE_EQ(bar.Value(), 100);
    bar.SetValue(-5);
    EXPECT_DOUBLE_EQ(bar.Value(), 0);
    bar.SetValue(80);
    bar.SetMax(50);
    EXPECT_DOUBLE_EQ(bar.Value(), 50);
    EXPECT_THROW(bar.SetMax(0), forms::InvalidPropertyValue);
    EXPECT_DOUBLE_EQ(bar.Max(), 50);
}

TEST_F(ControlValues, ContainersAcceptOnlyControlsTheyCanHold) {
    auto& window = frmOptions();
    window.cmdOk.SetContainer(&window.picBox);
    EXPECT_EQ(window.cmdOk.Container(), &window.picBox);

    EXPECT_THROW(window.cmdOk.SetContainer(&window.cmdApply), forms::InvalidPropertyValue);
    EXPECT_THROW(window.mnuExit.SetContainer(&window.picBox), forms::InvalidPropertyValue);
    EXPECT_THROW(window.fraShield.SetContainer(&window.fraShield), forms::InvalidPropertyValue);
    window.picBox.SetContainer(&window.fraShield);
    EXPECT_THROW(window.fraShield.SetContainer(&window.picBox), forms::InvalidPropertyValue)
        << "a container cannot move into what it holds";
    window.mnuExit.SetContainer(&window.mnuFile);
    EXPECT_EQ(window.mnuExit.Container(), &window.mnuFile);
}

TEST_F(ControlValues, OneDefaultAndOneCancelButtonPerWindow) {
    auto& window = frmOptions();
    window.cmdOk.SetDefault(true);
    window.cmdApply.SetDefault(true);
    window.cmdOk.SetCancel(true);
    EXPECT_FALSE(window.cmdOk.Default());
    EXPECT_TRUE(window.cmdApply.Default());
    EXPECT_TRUE(window.cmdOk.Cancel());
}

}  // namespace
