// The about box, the help window and the help file the build compiles.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "forms/form_registry.h"
#include "foundation/globals.h"
#include "foundation/machine_settings.h"
#include "menus_fixture.h"
#include "platform/version_block.h"
#include "support/temporary_folder.h"
#include "ui/form8.h"
#include "ui/frm_about.h"
#include "ui/frm_website.h"
#include "ui/globals.h"
#include "ui/skin_control.h"

namespace fs = std::filesystem;

namespace {

using Names = std::vector<std::string>;

class AboutBox : public MenusTest {};

TEST_F(AboutBox, ShowsTheProductsNameOwnerVersionAndWebsite) {
    FrmAboutForm& about = frmAbout();
    EXPECT_EQ(about.Caption(), "About Tollenwark");
    EXPECT_EQ(about.Label1.Caption(), "Tollenwark");
    EXPECT_EQ(about.lblCompany.Caption(), "Tollenwark Labs");
    EXPECT_EQ(about.lblWebsite.Caption(), "tollenwark.example");
    const platform::VersionBlock& build = platform::ProgramVersionBlock();
    EXPECT_EQ(about.lblVersion.Caption(),
              std::to_string(build.major) + "." + std::to_string(build.minor));
    EXPECT_EQ(about.Label2.Caption(), "Version:");
}

TEST_F(AboutBox, TheMinorVersionIsShownAsANumber) {
    FrmAboutForm& about = frmAbout();
    const auto version = [](int major, int minor) {
        platform::VersionBlock block;
        block.major = major;
        block.minor = minor;
        return block;
    };
    about.ShowProductDetails(version(2, 5));
    EXPECT_EQ(about.lblVersion.Caption(), "2.5");
    about.ShowProductDetails(version(2, 10));
    EXPECT_EQ(about.lblVersion.Caption(), "2.10");
    about.ShowProductDetails(version(3, 0));
    EXPECT_EQ(about.lblVersion.Caption(), "3.0");
}

TEST_F(AboutBox, WithSkinsEveryLabelGetsExactlyOneSkinnedCopy) {
    SkinControl skin;
    gSkinObject = &skin;
    gUseSkin = true;
    FrmAboutForm& about = frmAbout();
    Names labels;
    for (forms::Control* control : about.Controls()) {
        if (control->TypeName() == "Label") {
            labels.push_back(static_cast<forms::Label*>(control)->Caption());
        }
    }
    Names copies;
    for (forms::SkinLabel* copy : about.SkinLabel1.Elements()) {
        if (copy->Index() != 0) {
            copies.push_back(copy->Caption());
        }
    }
    EXPECT_EQ(labels.size(), 8u);
    EXPECT_EQ(copies, labels);
}

TEST_F(AboutBox, TheWebsiteOpensInTheProgramsBrowser) {
    frmAbout().lblWebsite.Click();
    EXPECT_TRUE(frmWebsite().Visible());
    EXPECT_EQ(frmWebsite().WebBrowser1.LastCommand().url, "tollenwark.example");
}

class HelpWindow : public MenusTest {
  protected:
    std::string HelpOpenedSetting() const {
        return GetMachineSetting(gProgramName, "Settings", "showHelp", "<none>");
    }
};

TEST_F(HelpWindow, OpensTheHelpFileAndNotesItMachineWide) {
    program.WriteFile("Help.chm", "ITSF");
    OpenHelpWindow();
    EXPECT_EQ(host.DocumentsOpened(), Names{ProgramFile("Help.chm")});
    EXPECT_EQ(HelpOpenedSetting(), "0");
    EXPECT_FALSE(forms::IsLoaded<Form8Form>());
}

TEST_F(HelpWindow, WithNoViewerAndNoPagesTheUserIsToldWhyNothingOpens) {
    program.WriteFile("Help.chm", "ITSF");
    host.SetHasApplications(false);
    host.ExpectMsgBox(forms::MsgBoxResult::Ok);
    OpenHelpWindow();
    EXPECT_TRUE(host.DocumentsOpened().empty());
    ASSERT_EQ(host.MsgBoxesShown().size(), 1u);
    EXPECT_NE(host.MsgBoxesShown()[0].text.find("HelpPages"), std::string::npos);
    EXPECT_EQ(HelpOpenedSetting(), "<none>");
}

TEST_F(HelpWindow, WithoutTheHelpFileNothingOpensAndNothingIsWritten) {
    OpenHelpWindow();
    EXPECT_TRUE(host.DocumentsOpened().empty());
    EXPECT_EQ(HelpOpenedSetting(), "<none>");
}

// The build compiles the pages of help/ into Help.chm beside the program, and ships them as they
// are in HelpPages/.
TEST(HelpFile, TheBuildShipsEveryPageCompiledAndAsItIs) {
    const fs::path build = fs::read_symlink("/proc/self/exe").parent_path().parent_path();
    const fs::path sources = fs::path(__FILE__).parent_path().parent_path().parent_path() / "help";
    const std::string help = test_support::ReadHostFileOrEmpty(build / "Help.chm");
    ASSERT_TRUE(help.starts_with("ITSF")) << "no compiled help beside the program";
    int pages = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(sources)) {
        if (entry.path().extension() == ".html") {
            ++pages;
            EXPECT_NE(help.find("/" + entry.path().filename().string()), std::string::npos)
                << entry.path().filename() << " is missing from the help file";
            EXPECT_EQ(
                test_support::ReadHostFileOrEmpty(build / "HelpPages" / entry.path().filename()),
                test_support::ReadHostFileOrEmpty(entry.path()));
        }
    }
    EXPECT_GE(pages, 10);
}

}  // namespace
