#include "program_fixture.h"

#include <algorithm>
#include <chrono>

#include "forms/form_registry.h"
#include "foundation/brand.h"
#include "foundation/definition_files.h"
#include "foundation/globals.h"
#include "foundation/line_codec.h"
#include "foundation/machine_settings.h"
#include "foundation/open_reg_key.h"
#include "foundation/settings_store.h"
#include "platform/text_encoding.h"
#include "platform/us_date.h"
#include "platform/user_settings.h"
#include "support/definition_file_writer.h"
#include "support/main_window.h"
#include "ui/frm_signature_updated.h"
#include "ui/frm_splash.h"

using namespace std::chrono_literals;
namespace fs = std::filesystem;

const char kFailedUpdateNotice[] =
    "Definitions could not be downloaded. Please check your internet connection.";
const char kDiskFullNotice[] =
    "The new definitions could not be saved: the disk is full. Your definitions were kept as they "
    "were. Free some space and run Live Update again.";

namespace {

// The language is chosen, the first update offered and the help seen; scans leave the running
// programs alone (the test process is one of them).
void MarkAsUsedBefore() {
    InitBrandSettings();
    SaveSetting(gProgramName, "Settings", "Language", "English");
    SaveSetting(gProgramName, "Settings", "showHelp", "0");
    SaveSetting(gProgramName, "OptionAndSettings", "chkSweepMemory", "0");
    SaveMachineSetting(gProgramName, "Settings", "FirstTime", "Yes");
    ResetFoundationGlobals();
}

}  // namespace

ProgramTest::ProgramTest() {
    host.SetDoEventsLimit(10'000'000);
    host.SetNow(platform::LocalNow());  // the servers' dates, from 2006 on, lie in the past
    test_support::ResetProgramGlobals();
    MarkAsUsedBefore();
}

ProgramTest::~ProgramTest() {
    EndProgram();
    test_support::RemoveTree(QuarantineHostFolder());  // a test may have made it read-only
}

void ProgramTest::StartProgram() {
    frmSplash().Show();
    host.Advance(150ms);
    ASSERT_TRUE(forms::IsLoaded<FrmMainForm>() && FrmMain().Visible())
        << "the main window did not come up";
}

void ProgramTest::EndProgram() {
    forms::DestroyAllForms();
    test_support::ResetProgramGlobals();
}

std::string ProgramTest::WriteFileOnC(const fs::path& belowDriveC, std::string_view bytes) {
    machine.prefix().WriteFile(belowDriveC, bytes);
    std::string path = "C:\\" + belowDriveC.string();
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

fs::path ProgramTest::HostPathOf(std::string_view windowsPath) const {
    return platform::CurrentMachine().paths().ToHost(windowsPath).value_or(fs::path());
}

void ProgramTest::SetRegistryValue(platform::RegRoot root, const std::string& key,
                                   const std::string& name, const std::string& text) {
    OpenRegKey opened;
    ASSERT_EQ(opened.Create(root, key), platform::ERROR_SUCCESS);
    ASSERT_EQ(opened.registry().SetValue(opened.handle(), name, platform::RegValue::String(text)),
              platform::ERROR_SUCCESS);
}

std::optional<std::string> ProgramTest::RegistryValue(platform::RegRoot root,
                                                      const std::string& key,
                                                      const std::string& name) {
    OpenRegKey opened;
    platform::RegValue value;
    if (opened.Open(root, key, platform::KEY_QUERY_VALUE) != platform::ERROR_SUCCESS ||
        opened.registry().QueryValue(opened.handle(), name, &value) != platform::ERROR_SUCCESS) {
        return std::nullopt;
    }
    return value.text;
}

void ProgramTest::WriteDefinitions(std::string_view fileName,
                                   const std::vector<std::string>& lines) const {
    test_support::WriteEncodedDefinitions(program.path(), fileName, lines);
}

void ProgramTest::WriteEveryDefinitionFile() const {
    test_support::WriteMissingDefinitionFiles(program.path());
}

void ProgramTest::WriteOldDefinitions(int lines) const {
    std::vector<std::string> old;
    for (int i = 0; i < lines; ++i) {
        old.push_back("old" + std::to_string(i) + ".exe=Old|[windir]");
    }
    for (const std::string_view file :
         {kFileDefinitionFile, kExeDefinitionFile, kDirectoryDefinitionFile}) {
        WriteDefinitions(file, old);
    }
    WriteDefinitions(kRegistryDefinitionFile, {"1^Software\\Old^=Old"});
    WriteDefinitions(kBlockedCookiesFile, {"*old.example"});
    WriteDefinitions(kSafetyFile, {"SFILE|safe.exe=x|[windir]"});
    program.WriteFile("date.dat", "4/1/2006\r\n");
}

std::string PackageForEveryFile(int added) {
    std::string package;
    const auto record = [&](std::string_view kind, std::string_view operation,
                            const std::string& definition) {
        package +=
            EncodeLine(kind) + "|" + std::string(operation) + "[DEF]" + definition + "[BR]\r\n";
    };
    const auto entry = [](const std::string& name) {
        return EncodeLine(name) + "=" + EncodeLine("New") + "|" + EncodeLine("[windir]");
    };
    for (int i = 0; i < added; ++i) {
        record("EXE", "ADD", entry("new" + std::to_string(i) + ".exe"));
        record("DIR", "ADD", entry("dir" + std::to_string(i)));
    }
    for (int i = 0; i < 4 * added; i += 7) {
        record("EXE", "DEL", EncodeLine("old" + std::to_string(i) + ".exe") + "=x");
        record("DIR", "DEL", EncodeLine("old" + std::to_string(i) + ".exe") + "=x");
    }
    record("REG", "ADD",
           EncodeLine("x") + "=" + EncodeLine("New") + "|" + EncodeLine("1^Software\\New") + "|" +
               EncodeLine("new"));
    record("COOK", "ADD", EncodeLine("*new.example"));
    record("SFILE", "ADD", EncodeLine("other.exe") + "=x|" + EncodeLine("[windir]"));
    return platform::Utf8ToWindows1252(package);
}

void ServeUpdate(const DefinitionsServerProcess& to, const std::string& package,
                 const std::string& date, const std::string& newDate) {
    to.Serve("currentDate.txt", date);
    to.Serve("package.txt", package);
    to.Serve("date.txt", newDate);
}

void ProgramTest::ScanAndTickEverything() {
    FrmMain().cmdScanNow.Click();
    auto& threats = FrmMain().lvwPicRemoveListOfSpywareFoundAndToBeRemoved;
    for (int row = 1; row <= threats.ListItems.Count(); ++row) {
        threats.UserSetChecked(row, true);
    }
}

void ProgramTest::RemoveTicked() {
    host.ExpectMsgBox(forms::MsgBoxResult::Yes);
    FrmMain().Command4.Click();
}

void ProgramTest::RunUpdate() {
    FrmMain().cmdUpdate.Click();
}

std::string ProgramTest::DefinitionsNotice() const {
    auto* notice = forms::LoadedInstance<FrmSignatureUpdatedForm>();
    return notice != nullptr && notice->Visible() ? notice->lblUpdateInfo.Caption() : "";
}

fs::path ProgramTest::UserSettingsFile() const {
    return platform::UserSettingsFilePath();
}
