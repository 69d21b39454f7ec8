#include "foundation/registry_access.h"

#include <gtest/gtest.h>

#include "foundation/globals.h"
#include "hive_file_machine.h"

using namespace platform;

namespace {

constexpr const char* kKey = "Software\\Vendor\\App";

class RegistryAccessTest : public ::testing::Test {
  protected:
    void SetUp() override { ResetFoundationGlobals(); }

    void Store(std::string_view name, const RegValue& value, RegRoot root = HKEY_CURRENT_USER) {
        Registry& registry = machine.machine().registry();
        RegHandle key = 0;
        ASSERT_EQ(registry.CreateKey(root, kKey, &key), ERROR_SUCCESS);
        EXPECT_EQ(registry.SetValue(key, name, value), ERROR_SUCCESS);
        registry.CloseKey(key);
    }

    RegValue Stored(std::string_view name, RegRoot root = HKEY_CURRENT_USER) {
        Registry& registry = machine.machine().registry();
        RegHandle key = 0;
        RegValue value;
        if (registry.OpenKey(root, kKey, KEY_READ, &key) == ERROR_SUCCESS) {
            registry.QueryValue(key, name, &value);
            registry.CloseKey(key);
        }
        return value;
    }

    HiveFileMachine machine;
};

TEST(RegRootFromCode, ConvertsTheSixCodesAndLeavesTheRootName) {
    const std::pair<const char*, const char*> names[] = {
        {"0", "HKEY_CLASSES_ROOT"}, {"1", "HKEY_CURRENT_USER"},   {"2", "HKEY_LOCAL_MACHINE"},
        {"3", "HKEY_USERS"},        {"4", "HKEY_CURRENT_CONFIG"}, {"5", "HKEY_DYN_DATA"}};
    for (const auto& [code, name] : names) {
        RegRootFromCode(code);
        EXPECT_EQ(gRegRootName, name) << code;
    }
    EXPECT_EQ(RegRootFromCode("4"), static_cast<RegRoot>(0x80000005u));
    EXPECT_EQ(RegRootFromCode(" 2 "), HKEY_LOCAL_MACHINE);
    EXPECT_EQ(RegRootName(HKEY_CURRENT_USER), "HKEY_CURRENT_USER");
    EXPECT_EQ(RegRootName(HKEY_PERFORMANCE_DATA), "");
}

TEST(RegRootFromCode, RefusesEveryOtherTextAndClearsTheName) {
    for (const char* code : {"6", "", "-1", "x", "2x", "  ", "99999999999"}) {
        RegRootFromCode("1");
        EXPECT_EQ(RegRootFromCode(code), -1) << code;
        EXPECT_EQ(gRegRootName, "") << code;
    }
}

TEST_F(RegistryAccessTest, ReadsTextsAndNumbersAsText) {
    Store("Path", RegValue::String("C:\\App\\app.exe"));
    RegValue expandable = RegValue::String("%windir%\\x");
    expandable.type = REG_EXPAND_SZ;
    Store("Expandable", expandable);
    Store("Empty", RegValue::String(""));
    Store("One", RegValue::Dword(1));
    Store("Negative", RegValue::Dword(0xFFFFFFFFu));
    RegValue binary;
    binary.type = REG_BINARY;
    binary.data = {1, 2, 3};
    Store("Binary", binary);

    std::string text = "left over";
    EXPECT_TRUE(RegReadValue(HKEY_CURRENT_USER, kKey, "Path", text));
    EXPECT_EQ(text, "C:\\App\\app.exe");
    EXPECT_TRUE(RegReadValue(HKEY_CURRENT_USER, kKey, "Expandable", text));
    EXPECT_EQ(text, "%windir%\\x");
    EXPECT_TRUE(RegReadValue(HKEY_CURRENT_USER, kKey, "One", text));
    EXPECT_EQ(text, "1");
    EXPECT_TRUE(RegReadValue(HKEY_CURRENT_USER, kKey, "Negative", text));
    EXPECT_EQ(text, "-1");
    EXPECT_TRUE(RegReadValue(HKEY_CURRENT_USER, kKey, "Empty", text));
    EXPECT_EQ(text, "");

    text = "left over";
    EXPECT_FALSE(RegReadValue(HKEY_CURRENT_USER, kKey, "Binary", text));
    EXPECT_EQ(text, "");
    EXPECT_FALSE(RegReadValue(HKEY_CURRENT_USER, kKey, "Missing", text));
    EXPECT_FALSE(RegReadValue(HKEY_CURRENT_USER, "Software\\Nowhere", "Path", text));
    EXPECT_FALSE(RegReadValue(-1, kKey, "Path", text));
}

TEST_F(RegistryAccessTest, QueriesAnOpenKeyAsVariant) {
    Store("One", RegValue::Dword(7));
    Registry& registry = machine.machine().registry();
    RegHandle key = 0;
    ASSERT_EQ(registry.OpenKey(HKEY_CURRENT_USER, kKey, KEY_READ, &key), ERROR_SUCCESS);
    RegVariant value = std::string("stale");
    EXPECT_EQ(RegQueryValueVariant(key, "One", value), ERROR_SUCCESS);
    EXPECT_EQ(value, RegVariant(std::int32_t{7}));
    EXPECT_EQ(RegQueryValueVariant(key, "Missing", value), -1);
    EXPECT_TRUE(std::holds_alternative<std::monostate>(value));
    registry.CloseKey(key);
}

TEST_F(RegistryAccessTest, WritesNumbersAsDwordsAndOtherTextTrimmed) {
    RegWriteValue(HKEY_CURRENT_USER, kKey, "Count", "15");
    RegWriteValue(HKEY_CURRENT_USER, kKey, "Program", "  C:\\Prog\\x.exe ");
    RegWriteValue(HKEY_CURRENT_USER, kKey, "Huge", "99999999999");

    EXPECT_EQ(Stored("Count").type, REG_DWORD);
    EXPECT_EQ(Stored("Count").number, 15u);
    EXPECT_EQ(Stored("Program").type, REG_SZ);
    EXPECT_EQ(Stored("Program").text, "C:\\Prog\\x.exe");
    // Too large for 32 bits: kept as the text it is rather than lost.
    EXPECT_EQ(Stored("Huge").text, "99999999999");
}

TEST_F(RegistryAccessTest, SetsValuesOfAnOpenKeyByType) {
    Registry& registry = machine.machine().registry();
    RegHandle key = 0;
    ASSERT_EQ(registry.CreateKey(HKEY_CURRENT_USER, kKey, &key), ERROR_SUCCESS);
    EXPECT_EQ(SetRegistryValueEx(key, "Start Page", REG_SZ, "about:blank"), ERROR_SUCCESS);
    EXPECT_EQ(SetRegistryValueEx(key, "Count", REG_DWORD, "42"), ERROR_SUCCESS);
    EXPECT_EQ(SetRegistryValueEx(key, "Bad", REG_DWORD, "forty"), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(SetRegistryValueEx(key, "Other", REG_BINARY, "ab"), ERROR_SUCCESS);
    registry.CloseKey(key);

    EXPECT_EQ(Stored("Start Page").text, "about:blank");
    EXPECT_EQ(Stored("Count").number, 42u);
    EXPECT_EQ(Stored("Bad").type, REG_NONE);
    EXPECT_EQ(Stored("Other").type, REG_NONE);
}

TEST_F(RegistryAccessTest, DeletesOneNamedValue) {
    Store("Keep", RegValue::String("a"));
    Store("Drop", RegValue::String("b"));
    Store("", RegValue::String("default"));
    RegDeleteNamedValue(HKEY_CURRENT_USER, kKey, "Drop");
    RegDeleteNamedValue(HKEY_CURRENT_USER, kKey, "");
    RegDeleteNamedValue(HKEY_CURRENT_USER, kKey, "Missing");
    RegDeleteNamedValue(HKEY_CURRENT_USER, "Software\\Nowhere", "Drop");

    EXPECT_EQ(Stored("Keep").text, "a");
    EXPECT_EQ(Stored("Drop").type, REG_NONE);
    EXPECT_EQ(Stored("").type, REG_NONE);
    EXPECT_TRUE(RegKeyExists(HKEY_CURRENT_USER, kKey));
}

TEST_F(RegistryAccessTest, AKeyOnAHiveThatMayOnlyBeReadDoesNotExist) {
    Store("Value", RegValue::String("x"), HKEY_LOCAL_MACHINE);
    EXPECT_TRUE(RegKeyExists(HKEY_LOCAL_MACHINE, kKey));
    EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, "Software\\Nowhere"));

    machine.SetMachineHiveReadOnly(true);
    std::string text;
    EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, kKey));
    EXPECT_FALSE(RegReadValue(HKEY_LOCAL_MACHINE, kKey, "Value", text));
    RegWriteValue(HKEY_LOCAL_MACHINE, kKey, "Other", "y");
    EXPECT_EQ(Stored("Other", HKEY_LOCAL_MACHINE).type, REG_NONE);
}

}  // namespace
