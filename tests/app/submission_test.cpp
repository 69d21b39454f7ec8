#include "update/submission.h"

#include <gtest/gtest.h>

#include "foundation/line_codec.h"
#include "platform/process_fake.h"
#include "platform/text_encoding.h"
#include "update_fixture.h"

using Names = std::vector<std::string>;

namespace {

// The data field as the server receives it: the encoded names as Windows-1252 bytes.
std::string OnTheWire(std::string_view payload) {
    return platform::Utf8ToWindows1252(payload);
}

platform::FakeProcesses Running(const Names& paths) {
    platform::FakeProcesses processes;
    platform::ProcessId id = 100;
    for (const auto& path : paths) {
        processes.table.push_back({.id = id++, .programPath = path});
    }
    return processes;
}

TEST(SubmissionPayload, LeavesOutTheCommonProgramsByTheirExactNames) {
    EXPECT_EQ(
        RunningProgramsPayload({"svchost.exe", "evil.exe", "SVCHOST.EXE", "System", "evil.exe",
                                "System Idle Process", "explorer.exe"}),
        EncodeLine("evil.exe") + "|" + EncodeLine("SVCHOST.EXE") + "|" + EncodeLine("evil.exe"));
    EXPECT_EQ(RunningProgramsPayload({"winlogon.exe", "iexplore.exe"}), "");
    EXPECT_EQ(ManualSubmissionPayload("a b.exe"), EncodeLine("a b.exe") + "|");
    EXPECT_EQ(ManualSubmissionPayload(""), "|");
}

TEST(SubmissionReply, CountsAddedOrSkippedInAnyCaseAsTaken) {
    EXPECT_TRUE(SubmissionAccepted("Added"));
    EXPECT_TRUE(SubmissionAccepted("the name was added."));
    EXPECT_TRUE(SubmissionAccepted("SKIPPED"));
    EXPECT_FALSE(SubmissionAccepted("<html>500 Internal Server Error</html>"));
    EXPECT_FALSE(SubmissionAccepted(""));
}

class SubmissionTest : public UpdateTest {};

TEST_F(SubmissionTest, SendsTheRunningProgramsThatAreNotCommon) {
    auto processes = Running({"C:\\Windows\\system32\\svchost.exe",
                              "C:\\Program Files\\Bad\\bad ware.exe", "Z:\\usr\\bin\\sleep"});
    platform::ScopedProcesses installed(processes);

    SubmitAnonymousData();

    EXPECT_EQ(server.Submissions(),
              Names{OnTheWire(EncodeLine("bad ware.exe") + "|" + EncodeLine("sleep"))});
}

TEST_F(SubmissionTest, SendsNothingWhenOnlyCommonProgramsRun) {
    auto processes = Running({"C:\\Windows\\explorer.exe", "C:\\Windows\\system32\\services.exe"});
    platform::ScopedProcesses installed(processes);

    EXPECT_EQ(ListRunningProcessNamesWmi(), "");
    SubmitAnonymousData();

    EXPECT_TRUE(server.RequestLines().empty());
}

// The codec writes "å", "ä", "ê", "ü" and "â" as "&", "%", "+", "=" and "#": the server's query
// parser gets each back as it is, not as a separator, an escape or a blank.
TEST_F(SubmissionTest, ThanksForANameTheServerTookByteForByteAndEmptiesTheBox) {
    const std::string name = "bad ware \u00E5\u00E4\u00EA\u00FC\u00E2&%+=#.exe";
    Main().txtFilename.SetText(name);
    Main().cmdSubmit.Click();

    EXPECT_EQ(server.Submissions(), Names{OnTheWire(EncodeLine(name) + "|")});
    // The message table hands out every text with its first letter upper-cased.
    EXPECT_EQ(Main().Label26.Caption(), "Results: " + name + " Submitted.  Thank you!");
    EXPECT_EQ(Main().txtFilename.Text(), "");
}

TEST_F(SubmissionTest, EnterInTheBoxSubmitsAndOtherKeysAreTyping) {
    Main().txtFilename.SetText("x.exe");
    EXPECT_EQ(Main().txtFilename.KeyPress('a'), 'a');
    EXPECT_TRUE(server.RequestLines().empty());
    Main().txtFilename.KeyPress(13);
    EXPECT_EQ(server.Submissions(), Names{OnTheWire(EncodeLine("x.exe") + "|")});
}

TEST_F(SubmissionTest, ALowerCaseAddedIsSuccessAndAnyOtherReplyAProblem) {
    // A server base with a path of its own answers from files under it.
    test_support::ScopedEnvironmentVariable lowerCase("TOLLENWARK_DEFINITIONS_SERVER",
                                                      server.BaseUrl() + "/lower");
    server.Serve("lower/asp/getData.asp", "the name was added");
    Main().txtFilename.SetText("a.exe");
    Main().cmdSubmit.Click();
    EXPECT_EQ(Main().Label26.Caption(), "Results: a.exe Submitted.  Thank you!");

    server.Serve("lower/asp/getData.asp", "refused");
    Main().txtFilename.SetText("b.exe");
    Main().cmdSubmit.Click();
    EXPECT_EQ(
        Main().Label26.Caption(),
        "Results: There was a problem submitting b.exe.  Please make sure you are connected to "
        "the internet, or try again later.");
    EXPECT_EQ(Main().txtFilename.Text(), "");
}

TEST_F(SubmissionTest, NoServerIsAProblem) {
    server.Stop();
    Main().txtFilename.SetText("a.exe");
    Main().cmdSubmit.Click();
    EXPECT_EQ(
        Main().Label26.Caption(),
        "Results: There was a problem submitting a.exe.  Please make sure you are connected to "
        "the internet, or try again later.");
}

TEST_F(SubmissionTest, BrowsePutsOnlyTheChosenFilesNameIntoTheBox) {
    host.ExpectOpenDialog("C:\\Program Files\\Bad Ware\\bad.exe");
    Main().Command2.Click();
    EXPECT_EQ(Main().txtFilename.Text(), "bad.exe");

    host.ExpectOpenDialog(std::nullopt);
    Main().Command2.Click();
    EXPECT_EQ(Main().txtFilename.Text(), "bad.exe") << "cancelling keeps what the box held";
}

}  // namespace
