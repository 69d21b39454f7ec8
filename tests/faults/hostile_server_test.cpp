// A definitions server that misbehaves: a 100 MB body, a body that never ends, a reply that
// stalls half-way, error pages, nonsense, a cut or trickling reply, dates in the far future. The
// update and the whole-file downloads end in bounded time and memory, and either change every
// definition file and the date as a good update would or change nothing and say so; the program
// goes on.
#include <gtest/gtest.h>

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

TEST_P(HostileServerTest, AWholeFileDownloadKeepsNoPartAndSaysSo) {
    StartProgram();
    const auto before = FolderContents(program.path());
    gDefinitionsBaseURL = hostile.BaseUrl();
    host.ExpectMsgBox(forms::MsgBoxResult::Ok, gLanguages->getMessages("MSG_INTERNET"));

    FrmMain().DownloadFileDefinitions(2);

    EXPECT_EQ(FolderContents(program.path()), before) << "no staged copy, nothing beside";
}

// ----- Every kind of bad answer to a live update started by the user

struct BadServer {
    const char* name = "";
    DefinitionsServerOptions options{};
    std::string currentDate = "4/2/2006 9:00:00 AM";
    std::string package{};  // empty: a good package
    std::string newDate = "4/2/2006 9:30:00 AM";
    std::string dateDat = "4/1/2006\r\n";
    platform::HttpLimits limits = test_support::QuickHttpLimits();
    bool updates = false;  // whether a good update is what the user should get
};

void PrintTo(const BadServer& server, std::ostream* out) {
    *out << server.name;
}

constexpr const char* kFarFuture = "12/31/9999 11:59:59 PM";

// A package that changes every definition file.
std::string GoodPackage() {
    const auto record = [](std::string_view kind, std::string_view operation,
                           const std::string& definition) {
        return EncodeLine(kind) + "|" + std::string(operation) + "[DEF]" + definition + "[BR]\r\n";
    };
    const auto entry = [](const std::string& name) {
        return EncodeLine(name) + "=" + EncodeLine("New") + "|" + EncodeLine("[windir]");
    };
    std::string package = record("FILE", "DEL", EncodeLine("old.exe"));
    for (int i = 0; i < 100; ++i) {
        package += record("EXE", "ADD", entry("new" + std::to_string(i) + ".exe"));
    }
    package += record("DIR", "ADD", entry("NewDir")) +
               record("COOK", "ADD", EncodeLine("*new.ex")) +
               record("SFILE", "ADD", entry("safe.exe")) +
               record("REG", "ADD",
                      EncodeLine("x") + "=" + EncodeLine("New") + "|" +
                          EncodeLine("1^Software\\New") + "|" + EncodeLine("new"));
    return platform::Utf8ToWindows1252(package);
}

DefinitionsServerOptions Misbehaving(const char* file, std::optional<int> status,
                                     std::optional<std::size_t> cutAfter = {}) {
    DefinitionsServerOptions options;
    options.onlyFile = file;
    options.status = status;
    options.cutAfterBytes = cutAfter;
    return options;
}

std::string RandomBytes(std::size_t count) {
    std::mt19937 random(31);
    std::string bytes(count, '\0');
    for (char& byte : bytes) {
        byte = static_cast<char>(random());
    }
    return bytes;
}

std::vector<BadServer> BadServers() {
    DefinitionsServerOptions trickling;
    trickling.trickleMs = 10'000;
    platform::HttpLimits trickleLimits;  // no stall: only the deadline ends it
    trickleLimits.deadline = std::chrono::milliseconds(1500);
    std::string unknownKinds;
    for (const char* kind : {"ZIP", "MOVE", "exe"}) {
        unknownKinds += EncodeLine(kind) + "|ADD[DEF]" + EncodeLine("x.exe") + "=y|z[BR]";
    }
    return {
        {.name = "HundredMegabytes", .options = HundredMegabytes()},
        {.name = "Endless", .options = Endless()},
        {.name = "StallingHalfWay", .options = StallingHalfWay()},
        {.name = "Html500",
         .options = Misbehaving("package.txt", 500),
         .package = "<html><h1>500 Server Error</h1></html>"},
        {.name = "Html200", .package = "<html><body>Down for maintenance</body></html>"},
        {.name = "RandomBytes", .package = RandomBytes(20'000)},
        {.name = "UnknownKinds", .package = platform::Utf8ToWindows1252(unknownKinds)},
        {.name = "NotFoundWithAPackage", .options = Misbehaving("package.txt", 404)},
        {.name = "CutWithoutALength",
         .options = Misbehaving("package.txt", {}, GoodPackage().size() / 2)},
        {.name = "TricklingOneByteEveryTenSeconds", .options = trickling, .limits = trickleLimits},
        {.name = "FarFutureDate", .currentDate = kFarFuture},
        {.name = "FarFutureNewDate", .newDate = kFarFuture},
        {.name = "DateDatInTheFarFuture",
         .dateDat = std::string(kFarFuture) + "\r\n",
         .updates = true},
    };
}

class BadServerTest : public ProgramTest, public ::testing::WithParamInterface<BadServer> {
  protected:
    BadServerTest() {
        WriteDefinitions(kFileDefinitionFile, {"old.exe=Old|[windir]"});
        WriteDefinitions(kSafetyFile, {"SFILE|keep.exe=x|[windir]"});
        WriteEveryDefinitionFile();
        ServeFrom(server, GoodPackage());
        ServeFrom(bad, GetParam().package.empty() ? GoodPackage() : GetParam().package);
    }

    void ServeFrom(const DefinitionsServerProcess& to, const std::string& package) const {
        const bool good = &to == &server;
        to.Serve("currentDate.txt", good ? "4/2/2006 9:00:00 AM" : GetParam().currentDate);
        to.Serve("package.txt", package);
        to.Serve("date.txt", good ? "4/2/2006 9:30:00 AM" : GetParam().newDate);
    }

    DefinitionsServerProcess bad{GetParam().options};
};

TEST_P(BadServerTest, AnUpdateChangesAllAsAGoodOneWouldOrNothingAndSaysWhich) {
    program.WriteFile("date.dat", GetParam().dateDat);
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

    const test_support::ScopedHttpLimits limits(GetParam().limits);
    const test_support::ScopedEnvironmentVariable badAddress("TOLLENWARK_DEFINITIONS_SERVER",
                                                             bad.BaseUrl());
    const auto started = std::chrono::steady_clock::now();
    RunUpdate();

    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(20));
    if (GetParam().updates) {
        EXPECT_EQ(FolderContents(program.path()), good);
        EXPECT_EQ(DefinitionsNotice(), gLanguages->getMessages("MSG_UPDATED_DEFS"));
    } else {
        EXPECT_EQ(FolderContents(program.path()), before);
        EXPECT_EQ(DefinitionsNotice(), kFailedUpdateNotice);
    }
    EXPECT_TRUE(FrmMain().cmdLiveUpdate.Enabled());
    EndProgram();
    StartProgram();
}

INSTANTIATE_TEST_SUITE_P(Servers, BadServerTest, ::testing::ValuesIn(BadServers()),
                         [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(Servers, HostileServerTest,
                         ::testing::Values(Misbehaviour{"HundredMegabytes", HundredMegabytes()},
                                           Misbehaviour{"Endless", Endless()},
                                           Misbehaviour{"StallingHalfWay", StallingHalfWay()}),
                         [](const auto& info) { return std::string(info.param.name); });

// ----- The language file's download

using LanguageDownloadTest = ProgramTest;

// The program's own language file, cut every 1,000 bytes as a broken connection or a server would
// cut it: only the whole file replaces the one in use, and the chosen language survives every bad
// download and a restart.
TEST_F(LanguageDownloadTest, OnlyAWholeFileReplacesTheOneInUseAndTheChosenLanguageStays) {
    const std::string shipped = test_support::ReadHostFileOrEmpty(
        std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() / "data" /
        "Localization.xml");
    ASSERT_GT(shipped.size(), 40'000u);
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
