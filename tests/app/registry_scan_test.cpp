#include <gtest/gtest.h>

#include "engine/globals.h"
#include "engine/result_rows.h"
#include "foundation/definition_files.h"
#include "foundation/safe_list.h"
#include "scan_phase_fixture.h"

using Table = std::vector<std::vector<std::string>>;
using namespace platform;

namespace {

constexpr const char* kCurrentUser = "-2147483647";
constexpr const char* kLocalMachine = "-2147483646";

class RegistryScanTest : public ScanPhaseTest {
  protected:
    // Makes the key and, when a name is given, a text value in it.
    void Store(RegRoot root, std::string_view key, std::string_view name = {}) {
        Registry& registry = machine.machine().registry();
        RegHandle handle = 0;
        ASSERT_EQ(registry.CreateKey(root, key, &handle), ERROR_SUCCESS);
        if (!name.empty()) {
            EXPECT_EQ(registry.SetValue(handle, name, RegValue::String("x")), ERROR_SUCCESS);
        }
        registry.CloseKey(handle);
    }

    void Scan(const std::vector<std::string>& records) {
        WriteDefinitions(kRegistryDefinitionFile, records);
        LoadSafetyList();
        Main().ScanRegistryDefinitions();
    }
};

TEST_F(RegistryScanTest, ListsEachPresentEntryWithItsTraceLogLineAndThreatRow) {
    Store(HKEY_CURRENT_USER, "Software\\X", "Run");
    Store(HKEY_CURRENT_USER, "Software\\X", "Other");
    Scan({
        "1^Software\\X^Run=Foo|Bar",
        "6^Software\\X^Run=Six",  // no such root: neither tested nor counted
        "1^Software\\X^Other=Baz",
        "1^Software\\X^Missing=Gone",
    });

    EXPECT_EQ(Rows(Main().lvwRegistryToBeDeleted),
              (Table{{kCurrentUser, "0", "Software\\X", "Run", "Foo"},
                     {kCurrentUser, "0", "Software\\X", "Other", "Baz"}}));
    EXPECT_EQ(Rows(Main().lvwSpywareFound), (Table{{"Foo - Found", "2"}, {"Baz - Found", "2"}}));
    // The second record has no description of its own.
    EXPECT_EQ(Rows(Main().lvwPicRemoveListOfSpywareFoundAndToBeRemoved),
              (Table{{"Foo", "2", "HKEY_CURRENT_USER\\Software\\X\\Run", "Bar"},
                     {"Baz", "2", "HKEY_CURRENT_USER\\Software\\X\\Other", ""}}));
    EXPECT_EQ(gRegistryInspected, 3);
    EXPECT_EQ(gSoftwareFound, 2);
    EXPECT_EQ(Main().lbltracesFound.Caption(), "2");
}

TEST_F(RegistryScanTest, TestsValueNamesWithASingleBackslashWhereTheRecordDoublesIt) {
    Store(HKEY_LOCAL_MACHINE, "Software\\Shared", "C:\\Windows\\x.dll");
    Scan({"2^Software\\Shared^C:\\\\Windows\\\\x.dll=Shared"});

    EXPECT_EQ(Rows(Main().lvwRegistryToBeDeleted),
              (Table{{kLocalMachine, "0", "Software\\Shared", "C:\\Windows\\x.dll", "Shared"}}));
    EXPECT_EQ(
        Rows(Main().lvwPicRemoveListOfSpywareFoundAndToBeRemoved),
        (Table{{"Shared", "2", "HKEY_LOCAL_MACHINE\\Software\\Shared\\C:\\Windows\\x.dll", ""}}));
}

TEST_F(RegistryScanTest, AKeyWithoutThreatNameIsNamedAfterItsKeyAValueWithoutOneLeavesATrace) {
    Store(HKEY_LOCAL_MACHINE, "Software\\BadKey", "Val");
    Scan({
        "2^Software\\BadKey^=", "2^Software\\BadKey^Val=",
        "2^^=WholeHive",  // a whole hive is never reported: its removal would wreck the system
    });

    EXPECT_EQ(Rows(Main().lvwRegistryToBeDeleted),
              (Table{{kLocalMachine, "0", "Software\\BadKey", "", ""},
                     {kLocalMachine, "0", "Software\\BadKey", "Val", ""}}));
    EXPECT_EQ(Rows(Main().lvwSpywareFound), (Table{{"RegKey Software\\BadKey - Found", "0"}}));
    EXPECT_EQ(Rows(Main().lvwPicRemoveListOfSpywareFoundAndToBeRemoved),
              (Table{{"Software\\BadKey", "2", "HKEY_LOCAL_MACHINE\\Software\\BadKey", ""}}));
    EXPECT_EQ(gSoftwareFound, 1);
    EXPECT_EQ(gRegistryInspected, 3);
}

TEST_F(RegistryScanTest, SafeEntriesYieldNothingAndExcludedOnesOnlyTheirLine) {
    Store(HKEY_CURRENT_USER, "Software\\Safe", "Run");
    Store(HKEY_CURRENT_USER, "Software\\Kept", "Run");
    Store(HKEY_CURRENT_USER, "Software\\KeptKey");
    WriteDefinitions(kSafetyFile, {"SREG|entry=x|1^Software\\Safe^Run"});
    // The whole key's location excludes its values too.
    Exclude({"HKEY_CURRENT_USER\\Software\\Kept", "hkey_current_user\\software\\keptkey"});
    Scan({
        "1^Software\\Safe^Run=Safe",
        "1^Software\\Kept^Run=Kept",
        "1^Software\\KeptKey^=KeptKey",
    });

    EXPECT_EQ(Rows(Main().lvwSpywareFound),
              (Table{{"EXCLUDED: HKEY_CURRENT_USER\\Software\\Kept\\Run", "5"},
                     {"EXCLUDED: HKEY_CURRENT_USER\\Software\\KeptKey", "5"}}));
    EXPECT_EQ(Main().lvwRegistryToBeDeleted.ListItems.Count(), 0);
    EXPECT_EQ(Main().lvwPicRemoveListOfSpywareFoundAndToBeRemoved.ListItems.Count(), 0);
    EXPECT_EQ(Main().lbltracesFound.Caption(), "0");
    EXPECT_EQ(gSoftwareFound, 0);
}

TEST_F(RegistryScanTest, AThreatAlreadyListedAddsOnlyTraces) {
    Store(HKEY_CURRENT_USER, "Software\\Foo", "A");
    Store(HKEY_CURRENT_USER, "Software\\Foo", "B");
    ResultLists lists = ResultListsOf(Main());
    AddFoundLine(lists, "FOO - Found", ResultKind::File);  // an earlier phase met it
    Store(HKEY_CURRENT_USER, "Software\\Bar", "A");
    Scan({"1^Software\\Foo^A=Foo", "1^Software\\Bar^A=Bar", "1^Software\\Foo^B=Bar"});

    EXPECT_EQ(Rows(Main().lvwSpywareFound), (Table{{"FOO - Found", "3"}, {"Bar - Found", "2"}}));
    EXPECT_EQ(Rows(Main().lvwPicRemoveListOfSpywareFoundAndToBeRemoved),
              (Table{{"Bar", "2", "HKEY_CURRENT_USER\\Software\\Bar\\A", ""}}));
    EXPECT_EQ(Main().lvwRegistryToBeDeleted.ListItems.Count(), 3);
    EXPECT_EQ(Main().lbltracesFound.Caption(), "3");
    EXPECT_EQ(gSoftwareFound, 1);
}

TEST_F(RegistryScanTest, AStopEndsThePhaseAfterTheCurrentRecord) {
    Store(HKEY_CURRENT_USER, "Software\\X", "A");
    host.OnEveryDoEvents([](int) {
        if (gRegistryInspected == 1) {
            gStopScan = true;
        }
    });
    Scan({"1^Software\\X^A=First", "1^Software\\X^A=Second"});

    EXPECT_EQ(gRegistryInspected, 1);
    EXPECT_EQ(Rows(Main().lvwSpywareFound), (Table{{"First - Found", "2"}}));
}

}  // namespace
