#include "platform/user_settings.h"

#include <map>
#include <memory>

#include "platform/hive_file_store.h"
#include "platform/prefix.h"

namespace platform {

namespace {

constexpr char kPreamble[] =
    "WINE REGISTRY Version 2\n"
    ";; Per-user settings: keys <application>\\\\<section>, values named by the setting\n";

// One store per file path, so that each file is read once and again only when it changed.
FileHiveStore& StoreFor(const std::string& path) {
    static std::map<std::string, std::unique_ptr<FileHiveStore>> stores;
    auto& store = stores[path];
    if (!store) {
        FileHiveStore::Options options;
        options.newFilePreamble = kPreamble;
        options.makeFolder = true;
        store = std::make_unique<FileHiveStore>(path, std::move(options));
    }
    return *store;
}

std::vector<std::string> KeyPathOf(std::string_view application, std::string_view section) {
    return SplitKeyPath(std::string(application) + "\\" + std::string(section));
}

}  // namespace

std::string UserSettingsFilePath() {
    return (UserConfigFolder() / "tollenwark" / "user-settings.reg").string();
}

std::string ReadUserSetting(std::string_view application, std::string_view section,
                            std::string_view key, std::string_view defaultValue) {
    Hive& hive = StoreFor(UserSettingsFilePath()).Current();
    const HiveKey* settings = FindPath(hive.root, KeyPathOf(application, section));
    const HiveEntry* value = settings ? FindValue(*settings, key) : nullptr;
    if (!value || value->value.type != REG_SZ) {
        return std::string(defaultValue);
    }
    return value->value.text;
}

bool WriteUserSetting(std::string_view application, std::string_view section, std::string_view key,
                      std::string_view text) {
    const auto path = KeyPathOf(application, section);
    const long result = StoreFor(UserSettingsFilePath()).Change([&](Hive& hive) {
        SetValue(CreatePath(hive.root, path), key, RegValue::String(std::string(text)));
        return ERROR_SUCCESS;
    });
    return result == ERROR_SUCCESS;
}

}  // namespace platform
