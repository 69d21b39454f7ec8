#include "foundation/settings_store.h"

#include "platform/user_settings.h"

std::string GetSetting(std::string_view application, std::string_view section, std::string_view key,
                       std::string_view defaultValue) {
    return platform::ReadUserSetting(application, section, key, defaultValue);
}

void SaveSetting(std::string_view application, std::string_view section, std::string_view key,
                 std::string_view value) {
    platform::WriteUserSetting(application, section, key, value);
}
