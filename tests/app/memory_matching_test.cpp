// Matching running programs with program definitions: records, paths and the two caches.
#include "engine/memory_matching.h"

#include <gtest/gtest.h>

#include "engine/memory_scan.h"
#include "foundation/file_queries.h"
#include "support/temporary_prefix.h"

namespace {

std::optional<std::pair<std::string, std::string>> Fields(std::string_view line) {
    const std::optional<ProgramRecord> record = ParseProgramRecord(line);
    if (!record) {
        return std::nullopt;
    }
    return std::pair{record->fileName, record->folder};
}

using FieldPair = std::pair<std::string, std::string>;

TEST(ProgramRecords, TakeTheFolderBetweenTheFirstTwoBarsOfTheRightPart) {
    EXPECT_EQ(Fields("badtool.exe=Bad Tool|[progfil]Bad"),
              (FieldPair{"badtool.exe", "[progfil]Bad"}));
    EXPECT_EQ(Fields("a.exe=Threat|[windir]|extra"), (FieldPair{"a.exe", "[windir]"}));
    EXPECT_EQ(Fields("a.exe=[windir]Tools"), (FieldPair{"a.exe", "[windir]Tools"}));
    // A second "=" ends the right part.
    EXPECT_EQ(Fields("a.exe=Threat|C:\\A=B|C:\\C"), (FieldPair{"a.exe", "C:\\A"}));
    EXPECT_EQ(Fields("no separator"), std::nullopt);
}

TEST(ProgramRecords, NameFullProgramPathsOnTheMachine) {
    test_support::TemporaryMachine machine;
    FolderTokenExpander tokens;
    const auto path = [&](std::string_view line) {
        return ProgramRecordPath(*ParseProgramRecord(line), tokens);
    };
    EXPECT_EQ(path("badtool.exe=Bad Tool|[progfil]Bad"), "C:\\Program Files\\Bad\\badtool.exe");
    EXPECT_EQ(path("spy.exe=Spy|[drive]Spy\\"), "C:\\Spy\\spy.exe");
    EXPECT_EQ(path("spy.exe=Spy|[WINDIR]"), "C:\\windows\\spy.exe");
}

TEST(ProgramRecords, SystemFolderPathsAreComparedBelowTheMachinesOwn) {
    test_support::TemporaryMachine machine;
    const std::string system = GetSystemDir();
    EXPECT_EQ(ExpandSystem32Path("D:\\old\\System32\\drivers\\spy.exe", system),
              "C:\\windows\\system32\\drivers\\spy.exe");
    EXPECT_EQ(ExpandSystem32Path(" C:\\A\\SYSTEM32\\B\\system32\\spy.exe", system),
              "C:\\windows\\system32\\spy.exe");
    EXPECT_EQ(ExpandSystem32Path("C:\\Program Files\\System32x\\spy.exe", system),
              "C:\\Program Files\\System32x\\spy.exe");
}

TEST(ModulePathCache, HoldsWholePathsBetweenBarsAndItsIndexAgrees) {
    std::string cache;
    EXPECT_FALSE(IsInModulePathCache(cache, "C:\\A.EXE"));
    AddToModulePathCache(cache, "C:\\A.EXE");
    AddToModulePathCache(cache, "C:\\DIR\\B.EXE");
    AddToModulePathCache(cache, "C:\\X|Y.EXE");  // a name may hold a bar
    EXPECT_EQ(cache, "|C:\\A.EXE|C:\\DIR\\B.EXE|C:\\X|Y.EXE|");
    const ModulePathIndex index(cache);
    for (const auto& [path, listed] : std::vector<std::pair<std::string, bool>>{
             {"C:\\A.EXE", true},
             {"C:\\DIR\\B.EXE", true},
             {"C:\\X|Y.EXE", true},
             {"C:\\X", true},  // the text between two bars, as the search finds it
             {"\\B.EXE", false},
             {"C:\\A.EX", false},
             {"", false},
             {"C:\\A.EXE|C:\\DIR\\B.EXE", true}}) {
        EXPECT_EQ(IsInModulePathCache(cache, path), listed) << path;
        EXPECT_EQ(index.Contains(cache, path), listed) << path;
    }
    EXPECT_FALSE(ModulePathIndex("").Contains("", ""));
}

TEST(ProcessNameCache, ListsRecordNamesAndNamesThatEndTheirLine) {
    const std::string lines =
        "BADTOOL.EXE=BAD TOOL|[PROGFIL]BAD\r\nSPY.EXE\r\nC:\\WINDOWS\\EVIL.EXE\r\n";
    EXPECT_TRUE(IsListedProgramName(lines, "BADTOOL.EXE"));
    EXPECT_TRUE(IsListedProgramName(lines, "SPY.EXE"));
    EXPECT_TRUE(IsListedProgramName(lines, "EVIL.EXE"));
    EXPECT_FALSE(IsListedProgramName(lines, "TOOL.EXE"));
    EXPECT_FALSE(IsListedProgramName(lines, "BAD TOOL"));
    EXPECT_FALSE(IsListedProgramName(lines, ""));
    EXPECT_FALSE(IsListedProgramName("", "SPY.EXE"));
}

}  // namespace
