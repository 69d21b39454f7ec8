#pragma once

#include <string>
#include <string_view>

// The per-user settings store: one hive file in Wine's format, keys <application>\<section>,
// text values (REG_SZ) named by the setting's key.
namespace platform {

// ${XDG_CONFIG_HOME:-~/.config}/tollenwark/user-settings.reg, taken from the environment at
// every call.
std::string UserSettingsFilePath();

// The setting's text, or defaultValue when it was never written or is not text.
std::string ReadUserSetting(std::string_view application, std::string_view section,
                            std::string_view key, std::string_view defaultValue);

// Writes the setting to the file at once (atomically; the folder is made when missing). False
// when it could not be stored.
bool WriteUserSetting(std::string_view application, std::string_view section, std::string_view key,
                      std::string_view text);

}  // namespace platform
