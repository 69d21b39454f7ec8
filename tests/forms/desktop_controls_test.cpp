#include <gtest/gtest.h>

#include "forms/common_dialog.h"
#include "forms/date_picker.h"
#include "forms/form_registry.h"
#include "forms/status_bar.h"
#include "forms/web_browser.h"
#include "support/forms_fixture.h"

namespace {

class BrowserForm : public forms::Form {
  public:
    BrowserForm() : Form("frmWebsite") {
        StatusBar1.Panels.Add("Ready");
        WebBrowser1.OnNewWindow2 = [](bool& cancel) { cancel = true; };
        WebBrowser1.OnBeforeNavigate2 = [this](const std::string& url, bool&) {
            events.push_back("before " + url);
        };
        WebBrowser1.OnDownloadComplete = [this] {
            events.push_back("complete " + WebBrowser1.LocationURL() + " " +
                             WebBrowser1.LocationName());
        };
        dtpScheduleDate.SetFormat(forms::DateFormat::Custom);
        dtpScheduleDate.SetCustomFormat("dd/MM/yyyy");
        dtpScheduleDate.OnChange = [this] { events.push_back("date changed"); };
    }
    forms::WebBrowser WebBrowser1{*this, "WebBrowser1"};
    forms::StatusBar StatusBar1{*this, "StatusBar1"};
    forms::DTPicker dtpScheduleDate{*this, "dtpScheduleDate"};
    forms::CommonDialog CD1{*this, "CD1"};
    std::vector<std::string> events;
};

BrowserForm& frmWebsite() {
    return forms::DefaultInstance<BrowserForm>();
}

class DesktopControls : public FormsTest {};

TEST_F(DesktopControls, TheBrowserRecordsCommandsAndRaisesThePagesEvents) {
    auto& browser = frmWebsite().WebBrowser1;
    int commands = 0;
    browser.Observe([&](const forms::Change& change) {
        commands += change.property == forms::Property::BrowserCommand;
    });

    browser.Navigate("http://tollenwark.example/");
    EXPECT_EQ(browser.LastCommand(), (forms::BrowserCommand{forms::BrowserCommand::Kind::Navigate,
                                                            "http://tollenwark.example/"}));
    EXPECT_THROW(browser.GoBack(), forms::OperationFailed);
    browser.SetHistoryState(true, false);
    browser.GoBack();
    EXPECT_EQ(browser.LastCommand().kind, forms::BrowserCommand::Kind::GoBack);
    EXPECT_EQ(commands, 2);

    EXPECT_FALSE(browser.BeforeNavigate2("http://a.example/"));
    EXPECT_TRUE(browser.NewWindow2());
    browser.SetLocation("http://a.example/home", "Home");
    browser.DownloadComplete();
    EXPECT_EQ(frmWebsite().events,
              (std::vector<std::string>{"before http://a.example/",
                                        "complete http://a.example/home Home"}));
}

TEST_F(DesktopControls, StatusPanelsCanBeAddedAtRunTime) {
    auto& bar = frmWebsite().StatusBar1;
    bar.Panels.Add();
    bar.Panels(2).SetText("Opening http://a.example/");
    EXPECT_EQ(bar.Panels.Count(), 2);
    EXPECT_EQ(bar.Panels(1).Text(), "Ready");
    EXPECT_EQ(bar.Panels(2).Text(), "Opening http://a.example/");
    EXPECT_THROW(bar.Panels(3), forms::IndexOutOfRange);
}

TEST_F(DesktopControls, ADatePickerMayBeEmptyAndOnlyTheUsersChangeRaisesChange) {
    auto& picker = frmWebsite().dtpScheduleDate;
    EXPECT_FALSE(picker.Value().has_value());
    picker.SetValue(platform::DateTime{2006, 3, 16, 0, 0, 0});
    picker.SetValue(std::nullopt);
    picker.UserSetValue(platform::DateTime{2006, 3, 17, 0, 0, 0});
    picker.UserSetValue(platform::DateTime{2006, 3, 17, 0, 0, 0});
    EXPECT_EQ(picker.Value(), (platform::DateTime{2006, 3, 17, 0, 0, 0}));
    EXPECT_EQ(picker.CustomFormat(), "dd/MM/yyyy");
    EXPECT_EQ(frmWebsite().events, std::vector<std::string>{"date changed"});
}

TEST_F(DesktopControls, TheOpenDialogReportsTheChosenFileOrACancel) {
    auto& dialog = frmWebsite().CD1;
    dialog.SetDialogTitle("Submit a file");
    dialog.SetFilter("All files (*.*)|*.*");
    host.ExpectOpenDialog("C:\\Program Files\\Bad\\bad.exe");
    host.ExpectOpenDialog(std::nullopt);
    host.ExpectOpenDialog(std::nullopt);

    dialog.ShowOpen();
    EXPECT_EQ(dialog.FileName(), "C:\\Program Files\\Bad\\bad.exe");
    dialog.ShowOpen();
    EXPECT_EQ(dialog.FileName(), "");
    dialog.SetCancelError(true);
    EXPECT_THROW(dialog.ShowOpen(), forms::OperationFailed);
    ASSERT_EQ(host.OpenDialogsShown().size(), 3u);
    EXPECT_EQ(host.OpenDialogsShown()[0].title, "Submit a file");
    EXPECT_EQ(host.OpenDialogsShown()[0].filter, "All files (*.*)|*.*");
}

// A front end builds one widget per control through the visitor.
TEST_F(DesktopControls, EveryControlNamesItsTypeAndVisitsAsItself) {
    struct Names : forms::ControlVisitor {
        std::vector<std::string> seen;
        void Visit(forms::WebBrowser& c) override { seen.push_back("browser " + c.Name()); }
        void Visit(forms::StatusBar& c) override { seen.push_back("status " + c.Name()); }
        void Visit(forms::DTPicker& c) override { seen.push_back("picker " + c.Name()); }
        void Visit(forms::CommonDialog& c) override { seen.push_back("dialog " + c.Name()); }
    } names;
    std::vector<std::string> typeNames;
    for (forms::Control* control : frmWebsite().Controls()) {
        control->Accept(names);
        typeNames.emplace_back(control->TypeName());
    }
    EXPECT_EQ(names.seen, (std::vector<std::string>{"browser WebBrowser1", "status StatusBar1",
                                                    "picker dtpScheduleDate", "dialog CD1"}));
    EXPECT_EQ(typeNames,
              (std::vector<std::string>{"WebBrowser", "StatusBar", "DTPicker", "CommonDialog"}));
}

}  // namespace
