#include "options_fixture.h"

#include <gtest/gtest.h>

#include "engine/memory_shield.h"
#include "foundation/globals.h"
#include "foundation/settings_store.h"

namespace {

constexpr std::string_view kAbsent = "(absent)";

}  // namespace

std::string OptionsTest::Stored(std::string_view section, std::string_view key) {
    return GetSetting(gProgramName, section, key, kAbsent);
}

void OptionsTest::StoreOption(std::string_view key, std::string_view value) {
    SaveSetting(gProgramName, "OptionAndSettings", key, value);
}

void OptionsTest::WriteRegistryFromOutside(platform::RegRoot root, std::string_view key,
                                           std::string_view name,
                                           const platform::RegValue& value) const {
    auto other = machine.prefix().OpenMachine();
    platform::RegHandle handle = 0;
    ASSERT_EQ(other->registry().CreateKey(root, key, &handle), platform::ERROR_SUCCESS);
    EXPECT_EQ(other->registry().SetValue(handle, name, value), platform::ERROR_SUCCESS);
    other->registry().CloseKey(handle);
}

void OptionsTest::DeleteRegistryKeyFromOutside(platform::RegRoot root, std::string_view key) const {
    auto other = machine.prefix().OpenMachine();
    EXPECT_EQ(other->registry().DeleteKeyTree(root, key), platform::ERROR_SUCCESS);
}

std::string OptionsTest::ReadRegistryFromOutside(platform::RegRoot root, std::string_view key,
                                                 std::string_view name) const {
    auto other = machine.prefix().OpenMachine();
    platform::RegHandle handle = 0;
    if (other->registry().OpenKey(root, key, platform::KEY_READ, &handle) !=
        platform::ERROR_SUCCESS) {
        return std::string(kAbsent);
    }
    platform::RegValue value;
    const long read = other->registry().QueryValue(handle, name, &value);
    other->registry().CloseKey(handle);
    return read == platform::ERROR_SUCCESS ? value.text : std::string(kAbsent);
}

void OptionsTest::SwitchShieldsOff() {
    StoreOption("optMemorySheildOn", "False");
    StoreOption("optIEHomePageSheildOn", "False");
    EnableShieldTimers(Main(), true);
}
