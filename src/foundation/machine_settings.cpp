#include "foundation/machine_settings.h"

#include "forms/message_box.h"
#include "foundation/globals.h"
#include "foundation/open_reg_key.h"
#include "foundation/path_text.h"
#include "foundation/program_error.h"
#include "foundation/settings_store.h"

using namespace platform;

namespace {

constexpr const char* kSource = "GetMachineSetting";
constexpr const char* kIgnoreFlagSection = "Settings";
constexpr const char* kIgnoreFlagKey = "IgnorePermissionDeniedError";

std::string ApplicationKeyPath(std::string_view application) {
    std::string path = "SOFTWARE\\";
    path.append(TrimBlanks(gCompanyName)).append("\\");
    return path.append(TrimBlanks(application));
}

std::string MachineKeyPath(std::string_view application, std::string_view section) {
    return ApplicationKeyPath(application) + "\\" + std::string(TrimBlanks(section));
}

std::string PermissionDeniedText() {
    return gProgramName +
           " requires read/write access to the system registry and hard drive in order to run "
           "properly.  This user account does not have the proper permissions set.  As a result "
           "some or all of your settings may not be properly saved.  Please contact your system "
           "administrator or change the permission settings for this account.\r\n\r\n"
           "If you would like to prevent this error message from being displayed again, please "
           "press 'Ignore'.";
}

bool IgnoringPermissionDenied() {
    return GetSetting(gProgramName, kIgnoreFlagSection, kIgnoreFlagKey, "0") == "1";
}

// Asks the user what to do about a refused write: true to try it again. A failure of Wine's tool,
// through which the write goes while Wine's server holds the registry, is no lack of permission
// and says its own reason.
bool AskToRetryRefusedWrite(long error) {
    if (IsWineToolError(error)) {
        return forms::MsgBox(gProgramName +
                                 " could not save a setting in the registry of the Windows "
                                 "installation. " +
                                 RegistryErrorText(error),
                             forms::MsgBoxAbortRetryIgnore,
                             gProgramName) == forms::MsgBoxResult::Retry;
    }
    if (IgnoringPermissionDenied()) {
        return false;
    }
    switch (
        forms::MsgBox(PermissionDeniedText(), forms::MsgBoxAbortRetryIgnore, "Permission Denied")) {
        case forms::MsgBoxResult::Retry:
            return true;
        case forms::MsgBoxResult::Ignore:
            SaveSetting(gProgramName, kIgnoreFlagSection, kIgnoreFlagKey, "1");
            return false;
        default:
            return false;
    }
}

// Creates the key and writes the value as one change of the registry.
long StoreMachineValue(const std::string& path, std::string_view key, std::string_view value) {
    OpenRegKey opened;
    ScopedRegistryChanges changes(opened.registry());
    long result = opened.Create(HKEY_LOCAL_MACHINE, path);
    if (result == ERROR_SUCCESS) {
        result =
            opened.registry().SetValue(opened.handle(), key, RegValue::String(std::string(value)));
    }
    const long stored = changes.Commit();
    return result == ERROR_SUCCESS ? stored : result;
}

std::int32_t RegistryError(std::uint32_t detail) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(kErrorRegistryBase) + detail);
}

void RequireName(std::string_view name, std::int32_t number, const char* description) {
    if (TrimBlanks(name).empty()) {
        throw ProgramError(number, kSource, description);
    }
}

}  // namespace

std::string MachineSettingsKeyPath() {
    return ApplicationKeyPath(gProgramName);
}

void SaveMachineSetting(std::string_view application, std::string_view section,
                        std::string_view key, std::string_view value) {
    const std::string path = MachineKeyPath(application, section);
    for (long error; (error = StoreMachineValue(path, key, value)) != ERROR_SUCCESS;) {
        if (!AskToRetryRefusedWrite(error)) {
            return;
        }
    }
}

std::string GetMachineSetting(std::string_view application, std::string_view section,
                              std::string_view key, std::string_view defaultValue) {
    RequireName(application, kErrorAppNameEmpty, "AppName may not be empty");
    RequireName(section, kErrorSectionEmpty, "Section may not be empty");
    RequireName(key, kErrorKeyEmpty, "Key may not be empty");

    OpenRegKey opened;
    const long status =
        opened.Open(HKEY_LOCAL_MACHINE, MachineKeyPath(application, section), KEY_READ);
    if (status == ERROR_FILE_NOT_FOUND) {
        return std::string(defaultValue);
    }
    if (status != ERROR_SUCCESS) {
        throw ProgramError(RegistryError(static_cast<std::uint32_t>(status)), kSource,
                           "Could not open registry section");
    }
    RegValue value;
    if (opened.registry().QueryValue(opened.handle(), key, &value) != ERROR_SUCCESS) {
        return std::string(defaultValue);
    }
    if (value.type != REG_SZ) {
        throw ProgramError(RegistryError(value.type), kSource, "Registry data not a string");
    }
    return value.text;
}
