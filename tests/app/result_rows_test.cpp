#include "engine/result_rows.h"

#include <gtest/gtest.h>

#include <limits>

#include "engine/globals.h"
#include "forms/form.h"
#include "forms/labels.h"
#include "forms/list_view.h"

namespace {

// The result lists with the columns the main window gives them.
class ResultsWindow : public forms::Form {
  public:
    ResultsWindow() : Form("Results") {
        AddColumns(scanLog, 1);
        AddColumns(threats, 3);
        AddColumns(fileTraces, 2);
        AddColumns(registryTraces, 4);
        AddColumns(cookieTraces, 2);
        tracesFound.SetCaption("0");
    }

    forms::ListView scanLog{*this, "lvwSpywareFound"};
    forms::ListView threats{*this, "lvwPicRemoveListOfSpywareFoundAndToBeRemoved"};
    forms::ListView fileTraces{*this, "lvwFilesToBeDeleted"};
    forms::ListView registryTraces{*this, "lvwRegistryToBeDeleted"};
    forms::ListView cookieTraces{*this, "lvwCookiesToDelete"};
    forms::Label tracesFound{*this, "lbltracesFound"};
    ResultLists lists{scanLog, threats, fileTraces, registryTraces, cookieTraces, tracesFound};

  private:
    static void AddColumns(forms::ListView& list, int count) {
        for (int i = 0; i < count; ++i) {
            list.ColumnHeaders.Add();
        }
    }
};

class ResultRowsTest : public ::testing::Test {
  protected:
    ResultRowsTest() { ResetEngineGlobals(); }
    ~ResultRowsTest() override { ResetEngineGlobals(); }

    // Row text, icon and further columns, for comparing whole rows.
    static std::vector<std::string> Row(const forms::ListView& list, int index) {
        const forms::ListItem& row = list.ListItems(index);
        std::vector<std::string> cells{row.Text(), std::to_string(row.SmallIcon())};
        for (int n = 1; n < list.ColumnHeaders.Count(); ++n) {
            cells.push_back(row.SubItems(n));
        }
        return cells;
    }

    ResultsWindow window;
};

TEST_F(ResultRowsTest, AThreatMetAgainAddsOnlyItsTraces) {
    AddFileTrace(window.lists, "C:\\Bad\\bad.exe", "BadWare");
    EXPECT_TRUE(
        ReportThreat(window.lists, {"BadWare", ResultKind::File, "C:\\Bad\\bad.exe", "Dialer"}));
    // Met again by a folder record, its name in other letter case.
    AddFileTrace(window.lists, "C:\\Bad", "BADWARE");
    EXPECT_FALSE(ReportThreat(window.lists, {"BADWARE", ResultKind::Folder, "C:\\Bad", ""}));

    ASSERT_EQ(window.scanLog.ListItems.Count(), 1);
    EXPECT_EQ(Row(window.scanLog, 1), (std::vector<std::string>{"BadWare - Found", "3"}));
    ASSERT_EQ(window.threats.ListItems.Count(), 1);
    EXPECT_EQ(Row(window.threats, 1),
              (std::vector<std::string>{"BadWare", "3", "C:\\Bad\\bad.exe", "Dialer"}));
    ASSERT_EQ(window.fileTraces.ListItems.Count(), 2);
    EXPECT_EQ(Row(window.fileTraces, 2), (std::vector<std::string>{"C:\\Bad", "0", "BADWARE"}));
    EXPECT_EQ(window.tracesFound.Caption(), "2");
    EXPECT_EQ(gSoftwareFound, 1);
    EXPECT_FALSE(window.threats.ListItems(1).Checked());
}

TEST_F(ResultRowsTest, AThreatIsListedByALogLineThatBeginsWithItsFoundLine) {
    AddFoundLine(window.lists, "Foobar - Found", ResultKind::Registry);
    AddFoundLine(window.lists, "RegKey Software\\Foo - Found");
    AddExcludedLine(window.lists, "C:\\Foo");
    EXPECT_FALSE(IsThreatListed(window.lists, "Foo"));
    EXPECT_TRUE(IsThreatListed(window.lists, "foobar"));
    EXPECT_TRUE(IsThreatListed(window.lists, "RegKey Software\\Foo"));
    EXPECT_EQ(Row(window.scanLog, 2),
              (std::vector<std::string>{"RegKey Software\\Foo - Found", "0"}));
    EXPECT_EQ(Row(window.scanLog, 3), (std::vector<std::string>{"EXCLUDED: C:\\Foo", "5"}));
    // Log lines alone count nothing.
    EXPECT_EQ(gSoftwareFound, 0);
    EXPECT_EQ(window.threats.ListItems.Count(), 0);
}

TEST_F(ResultRowsTest, RegistryAndCookieRowsCarryTheirColumns) {
    AddRegistryTrace(window.lists, {-2147483647, "Software\\X", "Run", "Foo"});
    ReportThreat(window.lists,
                 {"Foo", ResultKind::Registry, "HKEY_CURRENT_USER\\Software\\X\\Run", "Bar"});
    AddRegistryTrace(window.lists, {-2147483646, "Software\\Y", "", "Baz"});
    ReportThreat(window.lists,
                 {"Baz", ResultKind::Registry, "HKEY_LOCAL_MACHINE\\Software\\Y", ""});
    AddCookieTrace(window.lists, "C:\\Cookies\\me@ads[1].txt");
    AddThreatRow(window.lists, {"Cookie: me@ads[1].txt", ResultKind::Cookie,
                                "C:\\Cookies\\me@ads[1].txt", "Tracking Cookie"});

    EXPECT_EQ(Row(window.registryTraces, 1),
              (std::vector<std::string>{"-2147483647", "0", "Software\\X", "Run", "Foo"}));
    EXPECT_EQ(Row(window.registryTraces, 2),
              (std::vector<std::string>{"-2147483646", "0", "Software\\Y", "", "Baz"}));
    // A record without a description leaves the type empty after one that had one.
    EXPECT_EQ(Row(window.threats, 2),
              (std::vector<std::string>{"Baz", "2", "HKEY_LOCAL_MACHINE\\Software\\Y", ""}));
    EXPECT_EQ(Row(window.threats, 3),
              (std::vector<std::string>{"Cookie: me@ads[1].txt", "1", "C:\\Cookies\\me@ads[1].txt",
                                        "Tracking Cookie"}));
    EXPECT_EQ(Row(window.cookieTraces, 1),
              (std::vector<std::string>{"C:\\Cookies\\me@ads[1].txt", "0", ""}));
    // Cookie traces are not counted on the traces label; every threat row is counted.
    EXPECT_EQ(window.tracesFound.Caption(), "2");
    EXPECT_EQ(gSoftwareFound, 3);
}

TEST_F(ResultRowsTest, AFailingColumnOrCaptionLeavesTheRestOfTheHit) {
    forms::ListView narrow{window, "narrow"};
    narrow.ColumnHeaders.Add();
    ResultLists lists{window.scanLog, narrow, narrow, narrow, narrow, window.tracesFound};
    window.tracesFound.SetCaption("Not Selected");

    AddFileTrace(lists, "C:\\x.exe", "X");
    ReportThreat(lists, {"X", ResultKind::File, "C:\\x.exe", "extra"});

    EXPECT_EQ(narrow.ListItems.Count(), 2);
    EXPECT_EQ(window.tracesFound.Caption(), "Not Selected");
    EXPECT_EQ(gSoftwareFound, 1);
}

TEST(ScanCounters, StopAtTheLargestValue) {
    std::int32_t counter = std::numeric_limits<std::int32_t>::max() - 1;
    CountOne(counter);
    CountOne(counter);
    EXPECT_EQ(counter, std::numeric_limits<std::int32_t>::max());
}

}  // namespace
