#include "forms/control_array.h"

#include <gtest/gtest.h>

#include "forms/buttons.h"
#include "forms/containers.h"
#include "forms/form_registry.h"
#include "forms/labels.h"
#include "forms/menu.h"
#include "forms/web_browser.h"
#include "support/forms_fixture.h"

namespace {

class NoticeForm : public forms::Form {
  public:
    NoticeForm() : Form("frmNotice") {
        Label1.SetContainer(&fraBody);
        Label1.SetCaption("Definitions updated");
        Label1.Move(120, 240, 3000, 315);
        Label1.SetFontBold(true);
        SkinLabel1(0).SetContainer(&fraBody);
        SkinLabel1(0).SetAlignment(forms::Alignment::Center);
        SkinLabel1(0).SetForeColor(forms::Rgb(255, 0, 0));
        SkinLabel1.Wire([this](forms::SkinLabel& label, int index) {
            label.OnClick = [this, index] { clicked.push_back(index); };
        });
        mnuFileItem(0).SetCaption("Scan Now");
        mnuFileItem(1).SetCaption("-");
        mnuFileItem(2).SetCaption("Exit");
        for (auto* item : mnuFileItem.Elements()) {
            item->SetContainer(&mnuFile);
        }
    }

    forms::Frame fraBody{*this, "fraBody"};
    forms::Label Label1{*this, "Label1"};
    forms::ControlArray<forms::SkinLabel> SkinLabel1{*this, "SkinLabel1", {0}};
    forms::Menu mnuFile{*this, "mnuFile"};
    forms::ControlArray<forms::Menu> mnuFileItem{*this, "mnuFileItem", {0, 1, 2}};
    forms::WebBrowser wbBanner{*this, "wbBanner"};
    std::vector<int> clicked;
};

NoticeForm& frmNotice() {
    return forms::DefaultInstance<NoticeForm>();
}

std::vector<std::string> Walk(const forms::Form& form) {
    std::vector<std::string> walked;
    for (const forms::Control* control : form.Controls()) {
        std::string entry = std::string(control->TypeName()) + " " + control->Name();
        if (control->Index()) {
            entry += "(" + std::to_string(*control->Index()) + ")";
        }
        walked.push_back(entry);
    }
    return walked;
}

class ControlArrays : public FormsTest {};

TEST_F(ControlArrays, DesignElementsTakeTheArraysPlaceInTheControlOrder) {
    EXPECT_EQ(Walk(frmNotice()), (std::vector<std::string>{
                                     "Frame fraBody", "Label Label1", "SkinLabel SkinLabel1(0)",
                                     "Menu mnuFile", "Menu mnuFileItem(0)", "Menu mnuFileItem(1)",
                                     "Menu mnuFileItem(2)", "WebBrowser wbBanner"}));
    EXPECT_TRUE(frmNotice().mnuFileItem(1).IsSeparator());
    EXPECT_EQ(frmNotice().mnuFileItem(2).Container(), &frmNotice().mnuFile);
}

TEST_F(ControlArrays, ANewElementCopiesTheLowestElementStartsHiddenAndIsWired) {
    auto& window = frmNotice();
    std::vector<forms::Property> heard;
    window.Observe([&](const forms::Change& change) { heard.push_back(change.property); });

    forms::SkinLabel& copy = window.SkinLabel1.LoadNext();

    EXPECT_EQ(copy.Index(), 1);
    EXPECT_EQ(window.SkinLabel1.UBound(), 1);
    EXPECT_FALSE(copy.Visible());
    EXPECT_EQ(copy.Container(), &window.fraBody);
    EXPECT_EQ(copy.Alignment(), forms::Alignment::Center);
    EXPECT_EQ(copy.ForeColor(), forms::Rgb(255, 0, 0));
    EXPECT_EQ(heard, std::vector<forms::Property>{forms::Property::ControlAdded});
    EXPECT_EQ(window.Controls().back(), &copy);
    copy.Click();
    EXPECT_EQ(window.clicked, std::vector<int>{1});
}

TEST_F(ControlArrays, ASkinLabelTakesOverAPlainLabelsPlaceAndText) {
    auto& window = frmNotice();
    forms::SkinLabel& copy = window.SkinLabel1.LoadNext();
    forms::CopyPlacementAndCaption(window.Label1, copy);

    EXPECT_EQ(copy.Caption(), "Definitions updated");
    EXPECT_DOUBLE_EQ(copy.Left(), 120);
    EXPECT_DOUBLE_EQ(copy.Top(), 240);
    EXPECT_DOUBLE_EQ(copy.Width(), 3000);
    EXPECT_DOUBLE_EQ(copy.Height(), 315);
    EXPECT_TRUE(copy.Font().bold);
    EXPECT_TRUE(copy.Visible());
}

TEST_F(ControlArrays, OnlyElementsLoadedAtRunTimeCanBeUnloaded) {
    auto& window = frmNotice();
    window.SkinLabel1.Load(5);
    EXPECT_THROW(window.SkinLabel1.Load(5), forms::InvalidPropertyValue);
    EXPECT_THROW(window.SkinLabel1.Unload(0), forms::InvalidPropertyValue);

    window.SkinLabel1.Unload(5);

    EXPECT_EQ(window.SkinLabel1.Find(5), nullptr);
    EXPECT_EQ(window.FindControl("SkinLabel1", 5), nullptr);
    EXPECT_EQ(window.SkinLabel1.Count(), 1);
    EXPECT_THROW(window.SkinLabel1(5), forms::IndexOutOfRange);
}

TEST_F(ControlArrays, AControlAddedAtRunTimeCanHoldAnotherOne) {
    auto& window = frmNotice();
    auto& box = window.AddControl<forms::PictureBox>("picBox");
    window.wbBanner.SetContainer(&box);

    EXPECT_EQ(window.FindControl("PICBOX"), &box);
    EXPECT_EQ(window.wbBanner.Container(), &box);
    EXPECT_THROW(window.AddControl<forms::PictureBox>("picbox"), forms::InvalidPropertyValue);
    EXPECT_EQ(window.FindControl("wbPicture"), nullptr);
    EXPECT_EQ(window.FindControl("mnuFileItem", 2), &window.mnuFileItem(2));
}

}  // namespace
