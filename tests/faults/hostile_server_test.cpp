// A definitions server that misbehaves: a 100 MB body, a body that never ends, a reply that
// stalls half-way, error pages, nonsense, a cut or trickling reply, dates in the far future. The
// update and the whole-file downloads end in bounded time and memory, and either change every
// definition file and the date as a good update would or change nothing and say so; the program
// goes on.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <random>

#include "foundation/brand.h"
#include "foundation/definition_files.h"
#include "foundation/globals.h"
#include "foundation/line_codec.h"
#include "foundation/settings_store.h"
#include "invariants.h"
#include "localization/globals.h"
#include "platform/text_encoding.h"
#include "program_fixture.h"
#include "support/scoped_http_limits.h"
#include "support/temporary_folder.h"
#include "ui/frm_language.h"
#include "update/globals.h"

namespace {

struct BadServer {
    const char* name = "";
    DefinitionsServerOptions options{};
    bool everyReply = false;  // whether the whole-file downloads meet the misbehaviour too
    std::string package{};    // empty: a good package
    std::string date = "4/2/2006 9:00:00 AM";
    std::string newDate = "4/2/2006 9:30:00 AM";
    std::string dateDat = "4/1/2006\r\n";
    platform::HttpLimits limits = test_support::QuickHttpLimits();
    bool updates = false;  // whether a good update is what the user should get
};

void PrintTo(const BadServer& server, std::ostream* out) {
    *out << server.name;
}

template <typename Set>
DefinitionsServerOptions With(Set set) {
    DefinitionsServerOptions options;
    set(options);
    return options;
}

const std::string kGoodPackage = PackageForEveryFile(20);
constexpr const char* kFarFuture = "12/31/9999 11:59:59 PM";

std::vector<BadServer> BadServers() {
    platform::HttpLimits deadlineOnly;  // the usual stall time-out, so that only the deadline ends
    deadlineOnly.deadline = std::chrono::milliseconds(1500);  // a trickle of a byte every 10 s
    std::string randomBytes(20'000, '\0');
    std::generate(randomBytes.begin(), randomBytes.end(), std::mt19937(31));
    std::string unknownKinds;
    for (const char* kind : {"ZIP", "MOVE", "exe"}) {
        unknownKinds += EncodeLine(kind) + "|ADD[DEF]" + EncodeLine("x.exe") + "=y|z[BR]";
    }
    return {
        {.name = "HundredMegabytes",
         .options = With([](auto& o) { o.hugeBodyBytes = 100 << 20; }),
         .everyReply = true},
        {.name = "Endless", .options = With([](auto& o) { o.endless = true; }), .everyReply = true},
        // The date reply (short) comes whole; the package stalls after its first bytes.
        {.name = "StallingHalfWay",
         .options = With([](auto& o) { o.stallAfterBytes = 600; }),
         .everyReply = true},
        {.name = "Html500",
         .options = With([](auto& o) { o.status = 500, o.onlyFile = "package.txt"; }),
         .package = "<html><h1>500 Server Error</h1></html>"},
        {.name = "Html200", .package = "<html><body>Down for maintenance</body></html>"},
        {.name = "RandomBytes", .package = randomBytes},
        {.name = "UnknownKinds", .package = platform::Utf8ToWindows1252(unknownKinds)},
        {.name = "NotFoundWithAPackage",
         .options = With([](auto& o) { o.status = 404, o.onlyFile = "package.txt"; })},
        {.name = "CutWithoutALength", .options = With([](auto& o) {
                                          o.cutAfterBytes = kGoodPackage.size() / 2,
                                          o.onlyFile = "package.txt";
                                      })},
        {.name = "TricklingOneByteEveryTenSeconds",
         .options = With([](auto& o) { o.trickleMs = 10'000; }),
         .everyReply = true,
         .limits = deadlineOnly},
        {.name = "FarFutureDate", .date = kFarFuture},
        {.name = "FarFutureNewDate", .newDate = kFarFuture},
        {.name = "DateDatInTheFarFuture",
         .dateDat = std::string(kFarFuture) + "\r\n",
         .updates = true},
    };
}

class BadServerTest : public ProgramTest, public ::testing::WithParamInterface<BadServer> {
  protected:
    BadServerTest() {
        WriteOldDefinitions(100);
        program.WriteFile("date.dat", GetParam().dateDat);
        ServeUpdate(server, kGoodPackage);
        const BadServer& how = GetParam();
        ServeUpdate(bad, how.package.empty() ? kGoodPackage : how.package, how.date, how.newDate);
        bad.Serve("definitions/data/FileDefinition.dat", kGoodPackage);
    }

    DefinitionsServerProcess bad{GetParam().options};
    test_support::ScopedHttpLimits limits{GetParam().limits};
};

TEST_P(BadServerTest, AnUpdateChangesAllAsAGoodOneWouldOrNothingAndSaysWhich) {
    StartProgram();
    const auto before = FolderContents(program.path());
    RunUpdate();  // from a good server, for what the user should get
    const auto good = FolderContents(program.path());
    ASSERT_EQ(DefinitionsNotice(), gLanguages->getMessages("MSG_UPDATED_DEFS"));
    for (const auto& [file, bytes] : before) {
        program.WriteFile(file, bytes);
    }
    EndProgram();
    StartProgram();

    const test_support::ScopedEnvironmentVariable badAddress("TOLLENWARK_DEFINITIONS_SERVER",
                                                             bad.BaseUrl());
    const auto started = std::chrono::steady_clock::now();
    RunUpdate();

    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(20));
    EXPECT_EQ(FolderContents(program.path()), GetParam().updates ? good : before);
    EXPECT_EQ(DefinitionsNotice(), GetParam().updates ? gLanguages->getMessages("MSG_UPDATED_DEFS")
                                                      : std::string(kFailedUpdateNotice));
    EXPECT_TRUE(FrmMain().cmdLiveUpdate.Enabled());
    EndProgram();
    StartProgram();
}

class WholeFileServerTest : public BadServerTest {};

TEST_P(WholeFileServerTest, AWholeFileDownloadKeepsNoPartAndSaysSo) {
    StartProgram();
    const auto before = FolderContents(program.path());
    gDefinitionsBaseURL = bad.BaseUrl();
    host.ExpectMsgBox(forms::MsgBoxResult::Ok, gLanguages->getMessages("MSG_INTERNET"));

    FrmMain().DownloadFileDefinitions(2);

    EXPECT_EQ(FolderContents(program.path()), before) << "no staged copy, nothing beside";
}

const auto kNameOf = [](const auto& info) { return std::string(info.param.name); };
INSTANTIATE_TEST_SUITE_P(Servers, BadServerTest, ::testing::ValuesIn(BadServers()), kNameOf);
std::vector<BadServer> EveryReplyBad() {
    std::vector<BadServer> servers = BadServers();
    std::erase_if(servers, [](const BadServer& server) { return !server.everyReply; });
    return servers;
}
INSTANTIATE_TEST_SUITE_P(Servers, WholeFileServerTest, ::testing::ValuesIn(EveryReplyBad()),
                         kNameOf);

// ----- The language file's download

using LanguageDownloadTest = ProgramTest;

// The program's own language file, cut every 1,000 bytes as a broken connection or a server would
// cut it: only the whole file replaces the one in use, and the chosen language survives every bad
// download and a restart.
TEST_F(LanguageDownloadTest, OnlyAWholeFileReplacesTheOneInUseAndTheChosenLanguageStays) {
    const std::string shipped = test_support::ReadHostFileOrEmpty(
        std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() / "data" /
        "Localization.xml");
    program.WriteFile("Localization.xml", shipped);
    InitBrandSettings();
    SaveSetting(gProgramName, "Settings", "Language", "German");
    DefinitionsServerProcess languages;
    const test_support::ScopedEnvironmentVariable languageServer("TOLLENWARK_LANGUAGE_SERVER",
                                                                 languages.BaseUrl());
    StartProgram();
    const std::string german = FrmMain().cmdScan.Caption();
    ASSERT_NE(german, "Scan Now");
    FrmMain().mnuLanguageItem(0).Click();

    std::vector<std::size_t> cuts = {shipped.rfind("</XML_DIZ_INFO>")};  // every group whole
    for (std::size_t cut = 0; cut < shipped.size(); cut += 1000) {
        cuts.push_back(cut);
    }
    for (const std::size_t cut : cuts) {
        SCOPED_TRACE("cut after " + std::to_string(cut) + " bytes");
        languages.Serve("Languages/21/Localization.xml", shipped.substr(0, cut));
        host.ExpectMsgBox(forms::MsgBoxResult::Ok, gLanguages->getMessages("MSG_LANGUAGE_FAILED"));
        frmLanguage().Command1.Click();
        EXPECT_EQ(test_support::ReadHostFileOrEmpty(program.path() / "Localization.xml"), shipped);
        EXPECT_EQ(GetSetting(gProgramName, "Settings", "Language", ""), "German");
    }
    std::string newer = shipped;
    newer.replace(newer.find("1.0</LOCALIZATION_FILE_VERSION>"), 3, "1.1");
    languages.Serve("Languages/21/Localization.xml", newer);
    host.ExpectMsgBox(forms::MsgBoxResult::Ok, gLanguages->getMessages("MSG_DOWNLOADED"));
    frmLanguage().Command1.Click();
    EXPECT_EQ(test_support::ReadHostFileOrEmpty(program.path() / "Localization.xml"),
              newer + "\r\n");

    EndProgram();
    StartProgram();
    EXPECT_EQ(FrmMain().cmdScan.Caption(), german);
}

}  // namespace
