#pragma once

#include <string>
#include <string_view>

#include "platform/registry.h"
#include "scan_fixture.h"
#include "support/scoped_environment.h"
#include "support/temporary_folder.h"

// A scan test with per-user settings and data of its own, empty as on a first run, and helpers
// for the stored options and the machine's registry.
class OptionsTest : public ScanTest {
  protected:
    // The stored text, or "(absent)" when the key was never written.
    static std::string Stored(std::string_view section, std::string_view key);
    static std::string Option(std::string_view key) { return Stored("OptionAndSettings", key); }
    static void StoreOption(std::string_view key, std::string_view value);

    // A value as another program leaves it: written through a second machine over the same
    // prefix, so only the hive file carries it to the program.
    void WriteRegistryFromOutside(platform::RegRoot root, std::string_view key,
                                  std::string_view name, const platform::RegValue& value) const;
    void DeleteRegistryKeyFromOutside(platform::RegRoot root, std::string_view key) const;
    // A text value as the hive file holds it, read through a second machine; "(absent)" when the
    // value is missing.
    std::string ReadRegistryFromOutside(platform::RegRoot root, std::string_view key,
                                        std::string_view name) const;

    // Switches the shields off in the store and their timers with them.
    void SwitchShieldsOff();

    test_support::TemporaryFolder userFolders{"tollenwark-user"};
    test_support::ScopedEnvironmentVariable configHome{"XDG_CONFIG_HOME",
                                                       (userFolders.path() / "config").string()};
    test_support::ScopedEnvironmentVariable dataHome{"XDG_DATA_HOME",
                                                     (userFolders.path() / "data").string()};
};
