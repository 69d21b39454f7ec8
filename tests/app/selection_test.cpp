// Ticking threats with their traces, Select All, Exclude and the dropping of ticked rows.
#include <gtest/gtest.h>

#include "foundation/globals.h"
#include "platform/process_fake.h"
#include "removal_fixture.h"
#include "server/definitions_server_process.h"

namespace fs = std::filesystem;
using platform::HKEY_CURRENT_USER;

namespace {

std::vector<bool> Ticks(const forms::ListView& list) {
    std::vector<bool> ticks;
    for (int i = 1; i <= list.ListItems.Count(); ++i) {
        ticks.push_back(list.ListItems(i).Checked());
    }
    return ticks;
}

class SelectionTest : public RemovalTest {
  protected:
    forms::ListView& threats = window.lvwPicRemoveListOfSpywareFoundAndToBeRemoved;
    forms::ListView& files = window.lvwFilesToBeDeleted;
    forms::ListView& registry = window.lvwRegistryToBeDeleted;
    forms::ListView& cookies = window.lvwCookiesToDelete;
};

TEST_F(SelectionTest, AThreatsTickReachesExactlyTheTracesTiedToIt) {
    AddFileThreat("C:\\a\\foo.exe", "Foo");     // threat 1
    AddFileThreat("C:\\b\\foo.dll", "Foo");     // its second trace
    AddFileThreat("C:\\c\\other.exe", "foo");   // listed as Foo, so Foo's as well
    AddFolderThreat("C:\\Bad\\", "BadFolder");  // threat 2
    AddRegistryThreat(HKEY_CURRENT_USER, "Software\\Reg", "v", "Reg.Threat");  // threat 3
    AddRegistryThreat(HKEY_CURRENT_USER, "Reg.Threat", "", "Other");           // threat 4
    AddCookieThreat("C:\\Cookies\\tester@ads.txt");                            // threat 5
    AddCookieTrace(lists, "C:\\Cookies\\tester@more.txt");

    UserTicks(1);
    EXPECT_EQ(Ticks(files), (std::vector<bool>{true, true, true, false}));
    EXPECT_EQ(Ticks(registry), (std::vector<bool>{false, false}));
    UserTicks(2);
    EXPECT_EQ(Ticks(files), (std::vector<bool>{true, true, true, true}));
    UserTicks(3);  // by threat name, and a key path equal to the name as well
    EXPECT_EQ(Ticks(registry), (std::vector<bool>{true, true}));
    UserTicks(5);
    EXPECT_EQ(Ticks(cookies), (std::vector<bool>{true, false}));

    UserTicks(1, false);
    EXPECT_EQ(Ticks(files), (std::vector<bool>{false, false, false, true}));
    EXPECT_EQ(Ticks(cookies), (std::vector<bool>{true, false}));
    UserTicks(3, false);
    EXPECT_EQ(Ticks(registry), (std::vector<bool>{false, false}));
}

// The phases run cookies, memory, registry, files, folders: a threat met in several of them is
// listed once, by the first, and its tick must still reach what the later ones found.
TEST_F(SelectionTest, AThreatMetByEveryPhaseTakesAllItsTracesWithIt) {
    AddRegistryThreat(HKEY_CURRENT_USER, "Software\\Nag", "", "Nag.Ware");
    AddFileThreat("C:\\Nag\\nag.exe", "Nag.Ware");
    AddFolderThreat("C:\\Nag\\Plugins", "NAG.WARE");
    AddFileThreat("C:\\Other\\other.exe", "Other");
    AddRegistryThreat(HKEY_CURRENT_USER, "Software\\Other", "", "Other");
    ASSERT_EQ(threats.ListItems.Count(), 2);

    UserTicks(1);
    EXPECT_EQ(Ticks(files), (std::vector<bool>{true, true, false}));
    EXPECT_EQ(Ticks(registry), (std::vector<bool>{true, false}));
    UserTicks(2);
    EXPECT_EQ(Ticks(files), (std::vector<bool>{true, true, true}));
    EXPECT_EQ(Ticks(registry), (std::vector<bool>{true, true}));
    UserTicks(1, false);
    EXPECT_EQ(Ticks(files), (std::vector<bool>{false, false, true}));
    EXPECT_EQ(Ticks(registry), (std::vector<bool>{false, true}));
}

TEST_F(SelectionTest, AnExcludedRowTicksNothingElse) {
    AddFileTrace(lists, "C:\\kept.exe", "Kept");
    threats.ListItems.Add("Kept", static_cast<int>(ResultKind::Excluded))
        .SetSubItem(1, "C:\\kept.exe");
    UserTicks(1);
    EXPECT_EQ(Ticks(files), std::vector<bool>{false});
}

TEST_F(SelectionTest, SelectAllLeavesRowsTickedByHandAndTheirTracesAlone) {
    AddFileThreat("C:\\a.exe", "A");
    AddFileThreat("C:\\b.exe", "B");
    threats.ListItems(1).SetChecked(true);  // ticked without its trace following
    window.cmdSelectAll.Click();
    EXPECT_EQ(Ticks(threats), (std::vector<bool>{true, true}));
    EXPECT_EQ(Ticks(files), (std::vector<bool>{false, true}));
}

TEST_F(SelectionTest, ExcludeAsksFirstAndSaysSoWhenThereIsNothing) {
    host.ExpectMsgBox({forms::MsgBoxResult::Ok,
                       "Sorry, there are no entries to be excluded.",
                       gProgramName,
                       forms::MsgBoxInformation,
                       {}});
    window.cmdExclude.Click();

    AddFileThreat("C:\\a.exe", "A");
    UserTicks(1);
    host.ExpectMsgBox({forms::MsgBoxResult::No,
                       "Are you sure you want to exclude the selected files?\r\n\r\nExcluded files "
                       "will not show up as Adware/Spyware on future scans.\r\n\r\nYou can edit "
                       "the list of excluded files through the Quarantine menu.",
                       "Really Exclude?",
                       forms::MsgBoxYesNo,
                       {}});
    window.cmdExclude.Click();
    EXPECT_EQ(threats.ListItems.Count(), 1);
    EXPECT_FALSE(fs::exists(program.path() / "ENoSignature.txt"));
}

TEST_F(SelectionTest, ExcludingStoresLocationAndNameAndDropsTheTickedRowsInOrder) {
    AddFileThreat("C:\\1.exe", "One");
    AddFileThreat("C:\\2.exe", "Two");
    AddCookieThreat("C:\\Cookies\\tester@ads.txt");
    AddFileThreat("C:\\4.exe", "Four");
    AddFileThreat("C:\\5.exe", "Five");
    window.lblDeletingCaption.SetCaption("c:\\5.exe");
    UserTicks(2);
    UserTicks(3);

    host.ExpectMsgBox(forms::MsgBoxResult::Yes);
    window.cmdExclude.Click();

    EXPECT_EQ(test_support::ReadHostFileOrEmpty(program.path() / "ENoSignature.txt"),
              "C:\\2.exe\r\nTwo\r\nC:\\Cookies\\tester@ads.txt\r\ntester@ads.txt\r\n");
    EXPECT_NE(gExclusionList.find("tester@ads.txt|"), std::string::npos);
    EXPECT_EQ(RowTexts(threats), (std::vector<std::string>{"One", "Four", "Five"}));
    EXPECT_EQ(RowTexts(files), (std::vector<std::string>{"C:\\1.exe", "C:\\4.exe", "C:\\5.exe"}));
    EXPECT_EQ(cookies.ListItems.Count(), 0);
    EXPECT_EQ(window.lblDeletingCaption.Caption(), "");
}

TEST_F(SelectionTest, RowsStayWhenTheirExclusionCannotBeStored) {
    AddFileThreat("C:\\a.exe", "A");
    UserTicks(1);
    test_support::WriteHostFile(program.path() / "ENoSignature.txt", "");
    fs::permissions(program.path() / "ENoSignature.txt", fs::perms::owner_write,
                    fs::perm_options::remove);
    host.ExpectMsgBox(forms::MsgBoxResult::Yes);
    window.cmdExclude.Click();
    EXPECT_EQ(threats.ListItems.Count(), 1);
    EXPECT_EQ(files.ListItems.Count(), 1);
}

// A scan that found nothing still sends the running programs' names when the user allows it.
TEST_F(SelectionTest, TheResultsCommandsShowTheResultsAndSendNamesOnlyAfterAnEmptyScan) {
    DefinitionsServerProcess server;
    test_support::ScopedEnvironmentVariable serverVariable("TOLLENWARK_DEFINITIONS_SERVER",
                                                           server.BaseUrl());
    platform::FakeProcesses processes;
    processes.table.push_back({.id = 100, .programPath = "C:\\Program Files\\Bad\\bad.exe"});
    platform::ScopedProcesses installed(processes);

    window.frmResults.SetVisible(false);
    window.cmdRemove.Click();
    EXPECT_TRUE(window.frmResults.Visible());
    EXPECT_TRUE(server.Submissions().empty());  // not allowed

    window.chkSendData.SetValue(1);
    window.cmdResults.Click();
    EXPECT_EQ(server.Submissions().size(), 1u);

    AddFileThreat("C:\\bad.exe", "Bad");
    window.cmdResults.Click();
    EXPECT_EQ(server.Submissions().size(), 1u);
}

}  // namespace
