// The program's start-up, from the splash to the main window, on real settings files, a real
// prefix and a real program folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>

#include "forms/form_registry.h"
#include "foundation/brand.h"
#include "foundation/globals.h"
#include "foundation/settings_store.h"
#include "localization/globals.h"
#include "platform/version_block.h"
#include "server/definitions_server_process.h"
#include "startup_fixture.h"
#include "support/scoped_environment.h"
#include "support/temporary_folder.h"
#include "ui/form8.h"
#include "ui/frm_delete.h"
#include "ui/frm_hidden.h"
#include "ui/frm_language.h"
#include "ui/frm_main.h"
#include "ui/frm_signature_updated.h"
#include "ui/frm_splash.h"
#include "ui/globals.h"

using namespace std::chrono_literals;
using forms::MsgBoxResult;
using test_support::ScopedEnvironmentVariable;

namespace {

constexpr char kLanguageFile[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
    "<XML_DIZ_INFO>\r\n"
    "<LANGUAGE_GROUP xml:lang=\"en\">\r\n"
    "\t<LANGUAGE_NAME>English</LANGUAGE_NAME>\r\n"
    "\t<TRANSLATION_ITEMS>\r\n"
    "\t</TRANSLATION_ITEMS>\r\n"
    "</LANGUAGE_GROUP>\r\n"
    "<language_group xml:lang=\"de\">\r\n"
    "\t<Language_Name>Deutsch</Language_Name>\r\n"
    "\t<TRANSLATION_ITEMS>\r\n"
    "\t\t<FrmMain_cmdScan>Jetzt prüfen</FrmMain_cmdScan>\r\n"
    "\t</TRANSLATION_ITEMS>\r\n"
    "</language_group>\r\n"
    "</XML_DIZ_INFO>\r\n";

constexpr char kFirstUpdateOffer[] =
    "Thank you for using [ProgramName]!\r\n\r\n"
    "Because this is the first time you have used [ProgramName] we recommend running Live Update "
    "now to download the most recent adware and spyware definitions.\r\n\r\n"
    "Would you like to run Live Update now?";

using StartupSequence = StartupTest;

TEST_F(StartupSequence, AFirstRunAsksForTheLanguageBeforeAnythingElseShows) {
    program.WriteFile("Localization.xml", kLanguageFile);
    host.ExpectModalOf<FrmLanguageForm>([&](FrmLanguageForm& chooser) {
        EXPECT_EQ(UserSetting("Settings", "Language"), "English") << "saved before the question";
        EXPECT_FALSE(FrmMain().Visible());
        EXPECT_TRUE(host.MsgBoxesShown().empty());
        EXPECT_TRUE(host.DocumentsOpened().empty());
        EXPECT_EQ(UserSetting("OptionAndSettings", "STATUS"), "<none>");
        ASSERT_EQ(chooser.Combo1.ListCount(), 2);
        EXPECT_EQ(chooser.Combo1.List(1), "Deutsch");
        EXPECT_EQ(chooser.Combo1.Text(), "English");
        chooser.Combo1.SetListIndex(1);
        chooser.Command2.Click();
    });
    host.ExpectMsgBox(MsgBoxResult::No);  // a fresh machine is offered an update
    StartProgram();
    EXPECT_EQ(UserSetting("Settings", "Language"), "Deutsch");
    EXPECT_TRUE(FrmMain().Visible());
    EXPECT_EQ(FrmMain().cmdScan.Caption(), "Jetzt prüfen") << "the choice translated the window";
    EXPECT_EQ(host.ModalWindowsShown(), std::vector<std::string>{"frmLanguage"});

    // Any saved language, even one the language file lacks, means the user has chosen.
    SaveSetting(gProgramName, "Settings", "Language", "Klingon");
    EndProgram();
    StartProgram();
    EXPECT_TRUE(FrmMain().Visible());
    EXPECT_EQ(host.ModalWindowsShown().size(), 1u);
    EXPECT_EQ(UserSetting("Settings", "Language"), "Klingon");
    EXPECT_EQ(gCurrentLanguage, "English") << "the language file lacks it: English stands in";
    EXPECT_EQ(FrmMain().cmdScan.Caption(), "Scan Now");
}

TEST_F(StartupSequence, TheMainWindowComesUpReadyWithItsHelperWindowsLoadedAndHidden) {
    MarkAsUsedBefore();
    program.WriteFile("DLBlockedCookies.dat", "a\r\nb\r\n");
    program.WriteFile("ExeDefinition.dat", "c\r\nd\r\ne\r\n");
    StartProgram();
    FrmMainForm& main = FrmMain();

    EXPECT_TRUE(main.Visible());
    EXPECT_EQ(main.Icon(), frmSplash().Icon());
    ASSERT_NE(gLanguages, nullptr);
    EXPECT_EQ(gCurrentLanguage, "English");
    EXPECT_EQ(main.Caption(), gLanguages->getMessages("MSG_CAPTION"));
    EXPECT_EQ(main.cmdWebsite.Caption(), gLanguages->getMessages("MSG_WEBSITE"));
    EXPECT_EQ(main.Label22.Caption(), gLanguages->getMessages("MSG_CAPTION2"));

    EXPECT_FALSE(std::filesystem::exists(program.path() / "DLBlockedCookies.dat"));
    EXPECT_TRUE(std::filesystem::exists(program.path() / "BlockedCookies.dat"));
    EXPECT_EQ(gDefinitionsTotal, 5);

    EXPECT_TRUE(main.frmStatus.Visible());
    EXPECT_EQ(main.frmStatus.Caption(), platform::ProgramVersionBlock().productName + " Status");
    EXPECT_FALSE(main.shpCircle.Visible());
    // Shown in its normal state: the window scrolls and the memory shield rests.
    EXPECT_TRUE(main.tmrScroll.Enabled());
    EXPECT_FALSE(main.tmrMemoryInspected.Enabled());
    EXPECT_TRUE(main.timUpdate.Enabled()) << "the options' first load ticks the automatic update";

    ASSERT_TRUE(forms::IsLoaded<FrmHiddenForm>());
    EXPECT_FALSE(frmHidden().Visible());
    ASSERT_TRUE(forms::IsLoaded<FrmDeleteForm>());
    EXPECT_FALSE(frmDelete().Visible());
    EXPECT_FALSE(forms::IsLoaded<Form8Form>()) << "the help window lives only while it opens";

    EXPECT_EQ(UserSetting("OptionAndSettings", "STATUS"), "RUNNING");
    EXPECT_EQ(UserSetting("OptionAndSettings", "RESTART"), "False");
    EXPECT_EQ(UserSetting("Settings", "showHelp"), "0");
}

// A copy killed while it wrote leaves hidden temporary files beside what it wrote; the next start
// takes those away, and nothing that only looks like them.
TEST_F(StartupSequence, RemovesTheTemporaryFilesAKilledCopyLeftAndOnlyThose) {
    namespace fs = std::filesystem;
    MarkAsUsedBefore();
    test_support::TemporaryFolder data{"tollenwark-data"};
    ScopedEnvironmentVariable dataHome("XDG_DATA_HOME", data.path().string());
    const fs::path prefix = machine.prefix().root();
    const fs::path autostart = config.path() / "autostart";
    const std::vector<fs::path> leftovers = {
        program.path() / ".FileDefinition.dat.tmp-AbC123",
        program.path() / ".DLFileDefinition.dat.download-x1Y2z3",
        program.path() / "quarantine/.bad.exe.tmp-Zz9Zz9",
        program.path() / "quarantine/.Plugins.partial/plugin.txt",
        data.path() / "tollenwark/restore-points/3/.user.reg.tmp-Gh7Jk8",
        prefix / ".user.reg.tollenwark-Qw3Er5",
        prefix / ".system.reg.tollenwark-Qw3Er6",
        config.path() / "tollenwark/.user-settings.reg.tollenwark-As4Df6",
        autostart / ".tollenwark.desktop.tollenwark-Zx8Cv7",
    };
    const std::vector<fs::path> others = {
        program.path() / ".notes.txt.tmp-AbC12",           // not six letters
        program.path() / "FileDefinition.dat.tmp-AbC123",  // not hidden
        program.path() / "quarantine/.Plugins.partial.txt",
        prefix / ".user.reg.tmp-Qw3Er5",  // not a name of the hive writer
        prefix / ".wine.reg.tollenwark-Qw3Er5",
        autostart / ".other.desktop.tollenwark-Zx8Cv7",
    };
    for (const auto& files : {leftovers, others}) {
        for (const fs::path& file : files) {
            test_support::WriteHostFile(file, "x");
        }
    }
    fs::create_directories(program.path() / ".Localization.xml.tmp-AbC123");  // a folder

    StartProgram();

    ASSERT_TRUE(FrmMain().Visible());
    for (const fs::path& file : leftovers) {
        EXPECT_FALSE(fs::exists(file)) << file;
    }
    EXPECT_FALSE(fs::exists(program.path() / "quarantine/.Plugins.partial"));
    for (const fs::path& file : others) {
        EXPECT_TRUE(fs::exists(file)) << file;
    }
    EXPECT_TRUE(fs::exists(program.path() / ".Localization.xml.tmp-AbC123"));
}

TEST_F(StartupSequence, AFreshMachineIsOfferedAnUpdateOnce) {
    InitBrandSettings();
    SaveSetting(gProgramName, "Settings", "Language", "English");
    host.ExpectMsgBox({.answer = MsgBoxResult::No,
                       .text = kFirstUpdateOffer,
                       .title = "Update Now?",
                       .style = forms::MsgBoxYesNo,
                       .whileOpen = [&] { EXPECT_EQ(MachineSetting("FirstTime"), "Yes"); }});
    StartProgram();
    EXPECT_EQ(MachineSetting("FirstTime"), "Yes");

    EndProgram();
    StartProgram();  // no box expected
    EXPECT_EQ(host.MsgBoxesShown().size(), 1u);
}

TEST_F(StartupSequence, AnsweringYesRunsTheLiveUpdate) {
    DefinitionsServerProcess server;
    test_support::ScopedEnvironmentVariable serverVariable("TOLLENWARK_DEFINITIONS_SERVER",
                                                           server.BaseUrl());
    server.Serve("currentDate.txt", "3/16/2006 12:00:00 AM");
    InitBrandSettings();
    SaveSetting(gProgramName, "Settings", "Language", "English");
    host.ExpectMsgBox(MsgBoxResult::Yes);
    StartProgram();

    ASSERT_EQ(server.RequestLines().size(), 1u);
    EXPECT_TRUE(server.RequestLines()[0].starts_with("GET /asp/currentDateNEW.asp?prog="));
    ASSERT_TRUE(forms::IsLoaded<FrmSignatureUpdatedForm>()) << "the update's notice";
    EXPECT_TRUE(FrmMain().Visible());
}

TEST_F(StartupSequence, TheAutomaticUpdateIsArmedOnlyWhenChosen) {
    MarkAsUsedBefore();
    StartProgram();
    // The options' first load stores the default 1; a text that is no value counts as absent.
    EXPECT_TRUE(FrmMain().timUpdate.Enabled());

    for (const auto& [stored, armed] :
         {std::pair{"1", true}, std::pair{"0", false}, std::pair{"yes", true}}) {
        EndProgram();
        InitBrandSettings();
        SaveSetting(gProgramName, "OptionAndSettings", "chkAutomaticUpdate", stored);
        StartProgram();
        EXPECT_EQ(FrmMain().timUpdate.Enabled(), armed) << stored;
        EXPECT_EQ(FrmMain().timUpdate.Interval(), 1000);
    }
}

TEST_F(StartupSequence, AProgramLeftInTheTrayStartsThereMinimised) {
    MarkAsUsedBefore();
    InitBrandSettings();
    SaveSetting(gProgramName, "Settings", "Minimized", "Yes");
    StartProgram();

    FrmMainForm& main = FrmMain();
    EXPECT_EQ(main.WindowState(), forms::WindowState::Minimized);
    ASSERT_EQ(host.TrayIcons().size(), 1u);
    EXPECT_EQ(host.TrayIcons().front().owner, main.Hwnd());
    EXPECT_FALSE(host.ApplicationInTaskbar()) << "reached through the icon, not the taskbar";
    EXPECT_FALSE(frmSplash().Visible());
}

TEST_F(StartupSequence, AFailingStepOfTheSecondPhaseIsSkipped) {
    MarkAsUsedBefore();
    frmSplash().Show();
    // Skins asked for, but no skin object: both skinning steps fail.
    gUseSkin = true;
    host.Advance(150ms);

    FrmMainForm& main = FrmMain();
    EXPECT_TRUE(main.Visible());
    EXPECT_EQ(main.Label22.Caption(), gLanguages->getMessages("MSG_CAPTION2"));
    EXPECT_EQ(UserSetting("Settings", "showHelp"), "0");
}

TEST_F(StartupSequence, WithSkinsEveryLabelGetsOneSkinLabelCopyInItsContainer) {
    MarkAsUsedBefore();
    frmSplash().Show();
    gUseSkin = true;
    gSkinObject = &frmSplash().skn;
    host.Advance(150ms);

    FrmMainForm& main = FrmMain();
    const std::vector<forms::ControlArray<forms::SkinLabel>*> arrays = {
        &main.SkinLabel1, &main.SkinLabel2, &main.SkinLabel3,
        &main.SkinLabel4, &main.SkinLabel5, &main.SkinLabel6};
    int labelsWithArray = 0;
    int copies = 0;
    for (forms::Control* control : main.Controls()) {
        if (control->TypeName() == "SkinLabel" && control->Index().value_or(0) > 0) {
            ++copies;
        }
        if (control->TypeName() != "Label") {
            continue;
        }
        const auto& label = static_cast<const forms::Label&>(*control);
        const auto array = std::find_if(arrays.begin(), arrays.end(), [&](auto* candidate) {
            return (*candidate)(0).Container() == label.Container();
        });
        if (array == arrays.end()) {
            continue;
        }
        ++labelsWithArray;
        int found = 0;
        for (int index = 1; index <= (*array)->UBound(); ++index) {
            const forms::SkinLabel& copy = (**array)(index);
            if (copy.Caption() == label.Caption() && copy.Left() == label.Left() &&
                copy.Top() == label.Top() && copy.Width() == label.Width() &&
                copy.Visible() == label.Visible()) {
                ++found;
            }
        }
        EXPECT_GE(found, 1) << label.Name();
    }
    EXPECT_GT(labelsWithArray, 10);
    EXPECT_EQ(copies, labelsWithArray) << "one copy per label, none for labels elsewhere";
    EXPECT_EQ(main.SkinLabel2(1).Container(), &main.frmStatus);
}

TEST_F(StartupSequence, ABannerPushesThePanelsDownAndMakesTheWindowTaller) {
    MarkAsUsedBefore();
    frmSplash().Show();
    gShowBanner = true;
    gBannerURL = "http://127.0.0.1/banner";
    const FrmMainForm design;
    host.Advance(150ms);

    FrmMainForm& main = FrmMain();
    const double bannerHeight = design.wbBanner.Height();
    // The layout keeps a gap of 120 below the banner.
    EXPECT_EQ(main.frmStatus.Top(), design.frmStatus.Top() + bannerHeight + 120);
    for (const forms::Frame* panel : {&main.frmOptions, &main.frmResults, &main.frmScan}) {
        EXPECT_EQ(panel->Top(), main.frmStatus.Top()) << panel->Name();
    }
    EXPECT_EQ(main.Height(), design.Height() + bannerHeight);
    ASSERT_NE(gBannerBox, nullptr);
    EXPECT_EQ(main.wbBanner.Container(), gBannerBox);
    EXPECT_TRUE(main.wbBanner.Visible());
    EXPECT_FALSE(main.wbPicture.Visible());
    EXPECT_EQ(main.wbBanner.LastCommand().url, gBannerURL);
}

}  // namespace
