#include "bench_machine.h"

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <map>
#include <stdexcept>

#include "bench_definitions.h"
#include "foundation/brand.h"
#include "foundation/definition_files.h"
#include "foundation/globals.h"
#include "foundation/machine_settings.h"
#include "foundation/settings_store.h"
#include "localization/globals.h"
#include "platform/machine.h"
#include "platform/wine_hive_text.h"
#include "support/scoped_environment.h"
#include "support/temporary_folder.h"
#include "support/temporary_prefix.h"
#include "support/temporary_program_folder.h"
#include "support/user_folders.h"

namespace fs = std::filesystem;

namespace bench {
namespace {

constexpr int CSIDL_COOKIES = 33;

const std::map<DefinitionKind, std::string_view> kDefinitionFiles = {
    {DefinitionKind::Files, kFileDefinitionFile},
    {DefinitionKind::Folders, kDirectoryDefinitionFile},
    {DefinitionKind::Registry, kRegistryDefinitionFile},
    {DefinitionKind::Programs, kExeDefinitionFile},
    {DefinitionKind::Cookies, kBlockedCookiesFile},
};

// Home and XDG folders below one temporary folder, so nothing of the real user's is touched.
struct IsolatedHome {
    test_support::TemporaryFolder root{"tollenwark-bench"};
    IsolatedHome() {
        for (const auto& [variable, name] : test_support::kUserFolderVariables) {
            fs::create_directories(root.path() / name);
            fs::permissions(root.path() / name, fs::perms::owner_all);
            test_support::SetEnvironmentVariable(variable, (root.path() / name).string());
        }
    }
};

void WriteHostFile(const fs::path& file, std::string_view bytes) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
}

void PlantFilesAndFolders(const test_support::TemporaryPrefix& prefix) {
    for (int i = 0; i < kRecords; i += kHitEvery) {
        const std::string folder = "Program Files/" + VendorFolder(i);
        prefix.WriteFile(folder + "/tool" + std::to_string(i) + ".exe", "x");
        prefix.WriteFile(folder + "/Folder" + std::to_string(i) + "/readme.txt", "x");
    }
}

// Appended to the machine hive in one write: a registry write per key would rewrite the hive each
// time.
void PlantRegistryKeys(const test_support::TemporaryPrefix& prefix) {
    platform::WineHiveText hive("REGISTRY\\Machine", std::time(nullptr));
    for (int i = 0; i < kRecords; i += kHitEvery) {
        hive.Key(RegistryKeyPath(i));
        hive.String("Value", "planted");
    }
    const std::string& text = hive.text();
    std::ofstream(prefix.root() / "system.reg", std::ios::app) << text.substr(text.find("\n["));
}

void PlantCookies(platform::Machine& machine, const std::string& userName) {
    const auto folder = machine.paths().ToHost(machine.specialFolders().Path(CSIDL_COOKIES));
    if (!folder) {
        throw std::runtime_error("the bench prefix has no cookie folder");
    }
    for (int i = 0; i < kCookieFiles; ++i) {
        WriteHostFile(*folder / (userName + "@" + CookieHost(i) + "[1].txt"),
                      "id\n" + std::to_string(i) + "\n" + CookieHost(i) + ".com/\n1024\n");
    }
}

// The main window starts without its first-run questions: a language chosen, the help seen, the
// first update offered.
void AnswerFirstRun() {
    SaveSetting(gProgramName, "Settings", "Language", "English");
    SaveSetting(gProgramName, "Settings", "showHelp", "0");
    SaveMachineSetting(gProgramName, "Settings", "FirstTime", "Yes");
}

}  // namespace

struct BenchMachine::Parts {
    IsolatedHome home;
    test_support::TemporaryMachine machine;
    test_support::TemporaryProgramFolder program;
    std::map<DefinitionKind, std::string> fullFiles;
    std::map<DefinitionKind, bool> written;  // whether the full file is in place
};

BenchMachine::BenchMachine() : parts_(std::make_unique<Parts>()) {
    test_support::SetEnvironmentVariable("WINEPREFIX", parts_->machine.prefix().root().string());
    InitBrandSettings();
    gLanguages = std::make_unique<clsLanguages>();
    gLanguages->LoadDefaultMessages();
    PlantFilesAndFolders(parts_->machine.prefix());
    PlantRegistryKeys(parts_->machine.prefix());
    PlantCookies(parts_->machine.machine(), parts_->machine.prefix().userName());
    AnswerFirstRun();
    parts_->program.WriteFile(std::string(kSafetyFile), "");
    fs::copy_file(fs::path(TOLLENWARK_BUILT_DATA) / "Localization.xml",
                  programFolder() / "Localization.xml");
    parts_->fullFiles = {
        {DefinitionKind::Files, EncodedDefinitionFile(FileRecords())},
        {DefinitionKind::Folders, EncodedDefinitionFile(FolderRecords())},
        {DefinitionKind::Registry, EncodedDefinitionFile(RegistryRecords())},
        {DefinitionKind::Programs, EncodedDefinitionFile(ProgramRecords())},
        {DefinitionKind::Cookies, EncodedDefinitionFile(BlockedCookieRecords())},
    };
    UseAllDefinitions();
}

BenchMachine::~BenchMachine() {
    ResetLocalizationGlobals();
}

void BenchMachine::UseDefinitions(std::initializer_list<DefinitionKind> kinds) {
    for (const auto& [kind, fileName] : kDefinitionFiles) {
        const bool full = std::find(kinds.begin(), kinds.end(), kind) != kinds.end();
        const auto written = parts_->written.find(kind);
        if (written == parts_->written.end() || written->second != full) {
            parts_->program.WriteFile(std::string(fileName), full ? parts_->fullFiles[kind] : "");
            parts_->written[kind] = full;
        }
    }
    gDefinitionsTotal = CountDefinitions();
}

void BenchMachine::UseAllDefinitions() {
    UseDefinitions({DefinitionKind::Files, DefinitionKind::Folders, DefinitionKind::Registry,
                    DefinitionKind::Programs, DefinitionKind::Cookies});
}

void BenchMachine::RestoreAllDefinitions() {
    parts_->written.clear();
    UseAllDefinitions();
}

void BenchMachine::SetOptionalPhases(bool cookies, bool memory, bool registry) {
    const auto flag = [](bool on) { return on ? "True" : "False"; };
    SaveSetting(gProgramName, "OptionAndSettings", "chkScanCookies", cookies ? "1" : "0");
    SaveSetting(gProgramName, "OptionAndSettings", "chkSweepMemory", flag(memory));
    SaveSetting(gProgramName, "OptionAndSettings", "chkScanRegistry", flag(registry));
}

const fs::path& BenchMachine::programFolder() const {
    return parts_->program.path();
}

const test_support::TemporaryPrefix& BenchMachine::prefix() const {
    return parts_->machine.prefix();
}

BenchMachine& TheBenchMachine() {
    static BenchMachine machine;
    return machine;
}

}  // namespace bench
