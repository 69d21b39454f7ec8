#include "platform/prefix.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <iostream>
#include <optional>
#include <system_error>

#include "platform/fresh_prefix.h"

namespace fs = std::filesystem;

namespace platform {
namespace {

// An environment variable that holds an absolute path (relative ones are ignored, as the XDG rules
// ask).
std::optional<fs::path> AbsolutePathVariable(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0' || fs::path(value).is_relative()) {
        return std::nullopt;
    }
    return fs::path(value);
}

}  // namespace

fs::path HomeFolder() {
    if (auto home = AbsolutePathVariable("HOME")) {
        return *home;
    }
    const passwd* account = ::getpwuid(::getuid());
    return account != nullptr && account->pw_dir != nullptr ? fs::path(account->pw_dir)
                                                            : fs::path("/");
}

fs::path PerUserDataFolder() {
    const fs::path data =
        AbsolutePathVariable("XDG_DATA_HOME").value_or(HomeFolder() / ".local" / "share");
    return data / "tollenwark";
}

fs::path UserConfigFolder() {
    return AbsolutePathVariable("XDG_CONFIG_HOME").value_or(HomeFolder() / ".config");
}

fs::path OwnPrefixFolder() {
    return PerUserDataFolder() / "prefix";
}

std::string HostUserName() {
    if (const passwd* account = ::getpwuid(::getuid()); account != nullptr && account->pw_name) {
        return account->pw_name;
    }
    const char* user = std::getenv("USER");
    return user != nullptr && *user != '\0' ? user : "user";
}

Prefix PrefixFromEnvironment() {
    const char* winePrefix = std::getenv("WINEPREFIX");
    std::error_code error;
    if (winePrefix != nullptr && *winePrefix != '\0') {
        return Prefix(fs::absolute(winePrefix, error));
    }
    const fs::path wine = HomeFolder() / ".wine";
    if (fs::is_directory(wine, error)) {
        return Prefix(wine);
    }
    Prefix own(OwnPrefixFolder());
    if (const long status = LayDownFreshPrefix(own.root(), HostUserName())) {
        std::cerr << "tollenwark: could not lay down the prefix " << own.root() << " (error "
                  << status << ")\n";
    }
    return own;
}

}  // namespace platform
