#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The machine-wide store: text values shared by every user of the machine, under
// HKEY_LOCAL_MACHINE\SOFTWARE\<company>\<application>\<section>.

// The numbered failures of GetMachineSetting, raised as ProgramError (program_error.h).
inline constexpr std::int32_t kErrorAppNameEmpty = static_cast<std::int32_t>(0x800403E8u);
inline constexpr std::int32_t kErrorSectionEmpty = static_cast<std::int32_t>(0x800403E9u);
inline constexpr std::int32_t kErrorKeyEmpty = static_cast<std::int32_t>(0x800403EAu);
// Plus the registry's error code or the value's type.
inline constexpr std::int32_t kErrorRegistryBase = static_cast<std::int32_t>(0x800407D0u);

// The program's own key under HKEY_LOCAL_MACHINE: "SOFTWARE\<company>\<program name>".
std::string MachineSettingsKeyPath();

// Writes value as REG_SZ, creating the key (through Wine's registry tool while Wine's server holds
// the registry). When the account may not write there, the user is asked once per failure to
// abort, retry or ignore the failure from now on, unless an earlier Ignore stored
// "Settings"\"IgnorePermissionDeniedError" = "1" in the per-user store; when Wine's tool failed,
// the user is told why and asked to abort, retry or ignore it this time. The outcome is not
// reported.
void SaveMachineSetting(std::string_view application, std::string_view section,
                        std::string_view key, std::string_view value);

// The value, or defaultValue when the key or the value does not exist. Throws ProgramError for an
// empty name (after trimming), a key that cannot be opened, or a value that is not REG_SZ.
std::string GetMachineSetting(std::string_view application, std::string_view section,
                              std::string_view key, std::string_view defaultValue);
