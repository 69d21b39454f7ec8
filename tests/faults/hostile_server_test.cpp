// A definitions server that misbehaves: a 100 MB body, a body that never ends, a reply that
// stalls half-way. The update and the whole-file downloads end in bounded time and memory,
// change no file, and the program goes on.
#include <gtest/gtest.h>

#include <chrono>

#include "foundation/definition_files.h"
#include "foundation/line_codec.h"
#include "invariants.h"
#include "localization/globals.h"
#include "platform/text_encoding.h"
#include "program_fixture.h"
#include "support/scoped_http_limits.h"
#include "support/temporary_folder.h"
#include "update/globals.h"

namespace {

struct Misbehaviour {
    const char* name;
    DefinitionsServerOptions options;
};

DefinitionsServerOptions HundredMegabytes() {
    DefinitionsServerOptions options;
    options.hugeBodyBytes = 100 * 1024 * 1024;
    return options;
}

DefinitionsServerOptions Endless() {
    DefinitionsServerOptions options;
    options.endless = true;
    return options;
}

// The date reply (short) comes whole; the package stalls after its first bytes.
DefinitionsServerOptions StallingHalfWay() {
    DefinitionsServerOptions options;
    options.stallAfterBytes = 600;
    return options;
}

class HostileServerTest : public ProgramTest, public ::testing::WithParamInterface<Misbehaviour> {
  protected:
    HostileServerTest() {
        program.WriteFile("date.dat", "4/1/2006\r\n");
        WriteDefinitions(kFileDefinitionFile, {"old.exe=Old|[windir]"});
        WriteEveryDefinitionFile();
        hostile.Serve("currentDate.txt", "4/2/2006 9:00:00 AM");
        std::string package;
        for (int i = 0; i < 200; ++i) {
            package += EncodeLine("FILE") + "|ADD[DEF]" + EncodeLine("new.exe") + "=" +
                       EncodeLine("New") + "|" + EncodeLine("[windir]") + "[BR]";
        }
        hostile.Serve("package.txt", platform::Utf8ToWindows1252(package));
        hostile.Serve("date.txt", "4/2/2006 9:30:00 AM");
        hostile.Serve("definitions/data/FileDefinition.dat", package);
    }

    test_support::ScopedHttpLimits quick{test_support::QuickHttpLimits()};
    DefinitionsServerProcess hostile{GetParam().options};
    test_support::ScopedEnvironmentVariable hostileAddress{"TOLLENWARK_DEFINITIONS_SERVER",
                                                           hostile.BaseUrl()};
};

TEST_P(HostileServerTest, AnUpdateChangesNothingAndTheProgramGoesOn) {
    StartProgram();
    const auto before = FolderContents(program.path());
    const auto started = std::chrono::steady_clock::now();

    RunUpdate();

    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(20));
    EXPECT_EQ(FolderContents(program.path()), before);
    EXPECT_EQ(DefinitionsNotice(), kFailedUpdateNotice);
    EXPECT_TRUE(FrmMain().cmdLiveUpdate.Enabled());
    EXPECT_TRUE(FrmMain().cmdScanNow.Enabled());
    EndProgram();
    StartProgram();
}

TEST_P(HostileServerTest, AWholeFileDownloadKeepsNoPartAndSaysSo) {
    StartProgram();
    const auto before = FolderContents(program.path());
    gDefinitionsBaseURL = hostile.BaseUrl();
    host.ExpectMsgBox(forms::MsgBoxResult::Ok, gLanguages->getMessages("MSG_INTERNET"));

    FrmMain().DownloadFileDefinitions(2);

    EXPECT_EQ(FolderContents(program.path()), before) << "no staged copy, nothing beside";
}

INSTANTIATE_TEST_SUITE_P(Servers, HostileServerTest,
                         ::testing::Values(Misbehaviour{"HundredMegabytes", HundredMegabytes()},
                                           Misbehaviour{"Endless", Endless()},
                                           Misbehaviour{"StallingHalfWay", StallingHalfWay()}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
