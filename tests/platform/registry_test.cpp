#include <gtest/gtest.h>

#include "platform/hive_registry.h"

namespace platform {
namespace {

// The registry's behaviour, on a registry in memory.
class RegistryTest : public ::testing::Test {
  protected:
    std::unique_ptr<HiveRegistry> registry = MakeMemoryRegistry();

    RegHandle Create(RegRoot root, std::string_view path) {
        RegHandle key = 0;
        EXPECT_EQ(registry->CreateKey(root, path, &key), ERROR_SUCCESS) << path;
        return key;
    }

    void Put(RegRoot root, std::string_view path, std::string_view name, const RegValue& value) {
        RegHandle key = Create(root, path);
        EXPECT_EQ(registry->SetValue(key, name, value), ERROR_SUCCESS) << path;
        registry->CloseKey(key);
    }

    long Open(RegRoot root, std::string_view path, std::uint32_t access = KEY_READ) {
        RegHandle key = 0;
        const long result = registry->OpenKey(root, path, access, &key);
        registry->CloseKey(key);
        return result;
    }

    std::string Text(RegRoot root, std::string_view path, std::string_view name) {
        RegHandle key = 0;
        if (registry->OpenKey(root, path, KEY_READ, &key) != ERROR_SUCCESS) {
            return "<no key>";
        }
        RegValue value;
        const long result = registry->QueryValue(key, name, &value);
        registry->CloseKey(key);
        return result == ERROR_SUCCESS ? value.text : "<no value>";
    }

    std::vector<std::string> SubKeys(RegRoot root, std::string_view path) {
        RegHandle key = 0;
        std::vector<std::string> names;
        registry->OpenKey(root, path, KEY_READ, &key);
        registry->EnumSubKeys(key, &names);
        registry->CloseKey(key);
        return names;
    }
};

TEST_F(RegistryTest, CreatesKeysWithTheKeysAboveAndStoresValues) {
    RegHandle key = Create(HKEY_LOCAL_MACHINE, "Software\\Vendor\\App");
    ASSERT_EQ(registry->SetValue(key, "Path", RegValue::String("C:\\App\\app.exe")), ERROR_SUCCESS);
    ASSERT_EQ(registry->SetValue(key, "Count", RegValue::Dword(15)), ERROR_SUCCESS);
    ASSERT_EQ(registry->SetValue(key, "", RegValue::String("default")), ERROR_SUCCESS);
    registry->CloseKey(key);

    EXPECT_EQ(Open(HKEY_LOCAL_MACHINE, "Software\\Vendor"), ERROR_SUCCESS);
    // Names match without letter case; separators may repeat.
    EXPECT_EQ(Text(HKEY_LOCAL_MACHINE, "SOFTWARE\\\\vendor\\APP\\", "path"), "C:\\App\\app.exe");
    EXPECT_EQ(Text(HKEY_LOCAL_MACHINE, "Software\\Vendor\\App", ""), "default");

    registry->OpenKey(HKEY_LOCAL_MACHINE, "Software\\Vendor\\App", KEY_READ, &key);
    RegValue value;
    ASSERT_EQ(registry->QueryValue(key, "COUNT", &value), ERROR_SUCCESS);
    EXPECT_EQ(value.type, REG_DWORD);
    EXPECT_EQ(value.number, 15u);
    EXPECT_EQ(registry->QueryValue(key, "Missing", &value), ERROR_FILE_NOT_FOUND);
    std::vector<std::string> names;
    ASSERT_EQ(registry->EnumValueNames(key, &names), ERROR_SUCCESS);
    EXPECT_EQ(names, (std::vector<std::string>{"", "Count", "Path"})) << "in name order";
    registry->CloseKey(key);

    EXPECT_EQ(Open(HKEY_LOCAL_MACHINE, "Software\\Other"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(Open(HKEY_CURRENT_USER, "Software\\Vendor"), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryTest, ReplacesAndDeletesValuesIncludingTheDefault) {
    RegHandle key = Create(HKEY_CURRENT_USER, "Software\\App");
    registry->SetValue(key, "Name", RegValue::String("one"));
    registry->SetValue(key, "name", RegValue::Dword(2));
    registry->SetValue(key, "", RegValue::String("default"));

    std::vector<std::string> names;
    registry->EnumValueNames(key, &names);
    EXPECT_EQ(names, (std::vector<std::string>{"", "Name"}));

    EXPECT_EQ(registry->DeleteValue(key, ""), ERROR_SUCCESS);
    EXPECT_EQ(registry->DeleteValue(key, ""), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(registry->DeleteValue(key, "NAME"), ERROR_SUCCESS);
    registry->EnumValueNames(key, &names);
    EXPECT_TRUE(names.empty());
    registry->CloseKey(key);
}

TEST_F(RegistryTest, SubKeysAreListedInNameOrder) {
    for (const char* name : {"b", "C", "a"}) {
        registry->CloseKey(Create(HKEY_LOCAL_MACHINE, std::string("Software\\List\\") + name));
    }
    EXPECT_EQ(SubKeys(HKEY_LOCAL_MACHINE, "Software\\List"),
              (std::vector<std::string>{"a", "b", "C"}));
}

TEST_F(RegistryTest, DeletesAWholeTreeAndNothingElse) {
    registry->CloseKey(Create(HKEY_LOCAL_MACHINE, "Software\\Bad\\Deep\\Deeper"));
    registry->CloseKey(Create(HKEY_LOCAL_MACHINE, "Software\\Good"));
    RegHandle inside = 0;
    registry->OpenKey(HKEY_LOCAL_MACHINE, "Software\\Bad\\Deep", KEY_ALL_ACCESS, &inside);

    EXPECT_EQ(registry->DeleteKeyTree(HKEY_LOCAL_MACHINE, "software\\bad"), ERROR_SUCCESS);
    EXPECT_EQ(Open(HKEY_LOCAL_MACHINE, "Software\\Bad"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(SubKeys(HKEY_LOCAL_MACHINE, "Software"), (std::vector<std::string>{"Good"}));
    RegValue value;
    EXPECT_EQ(registry->QueryValue(inside, "x", &value), ERROR_KEY_DELETED);
    registry->CloseKey(inside);

    EXPECT_EQ(registry->DeleteKeyTree(HKEY_LOCAL_MACHINE, "Software\\Bad"), ERROR_FILE_NOT_FOUND);
    // A whole root or a user's whole hive is never deleted.
    EXPECT_EQ(registry->DeleteKeyTree(HKEY_LOCAL_MACHINE, ""), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(registry->DeleteKeyTree(HKEY_USERS, ".Default"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(Open(HKEY_LOCAL_MACHINE, "Software\\Good"), ERROR_SUCCESS);
}

TEST_F(RegistryTest, AHiveTheAccountMayOnlyReadRefusesWriteAccess) {
    registry->CloseKey(Create(HKEY_LOCAL_MACHINE, "Software\\Locked"));
    static_cast<MemoryHiveStore&>(registry->MachineHive()).SetReadOnly(true);

    EXPECT_EQ(Open(HKEY_LOCAL_MACHINE, "Software\\Locked", 0x3F), ERROR_ACCESS_DENIED);
    EXPECT_EQ(Open(HKEY_LOCAL_MACHINE, "Software\\Locked", KEY_READ), ERROR_SUCCESS);
    EXPECT_EQ(Open(HKEY_LOCAL_MACHINE, "Software\\Missing", 0x3F), ERROR_FILE_NOT_FOUND);
    RegHandle key = 0;
    EXPECT_EQ(registry->CreateKey(HKEY_LOCAL_MACHINE, "Software\\Locked", &key),
              ERROR_ACCESS_DENIED);
    EXPECT_EQ(registry->CreateKey(HKEY_LOCAL_MACHINE, "Software\\New", &key), ERROR_ACCESS_DENIED);
    EXPECT_EQ(registry->DeleteKeyTree(HKEY_LOCAL_MACHINE, "Software\\Locked"), ERROR_ACCESS_DENIED);
    // The user's hive is unaffected.
    EXPECT_EQ(Open(HKEY_CURRENT_USER, "", 0x3F), ERROR_SUCCESS);

    // A key opened for reading cannot be written through, and the widest access asked for
    // is narrowed to reading.
    ASSERT_EQ(registry->OpenKey(HKEY_LOCAL_MACHINE, "Software\\Locked", MAXIMUM_ALLOWED, &key),
              ERROR_SUCCESS);
    EXPECT_EQ(registry->SetValue(key, "x", RegValue::Dword(1)), ERROR_ACCESS_DENIED);
    EXPECT_EQ(registry->DeleteValue(key, "x"), ERROR_ACCESS_DENIED);
    registry->CloseKey(key);
}

TEST_F(RegistryTest, ClassesRootReadsTheUsersClassesOverTheMachines) {
    Put(HKEY_LOCAL_MACHINE, "Software\\Classes\\.txt", "", RegValue::String("machine"));
    Put(HKEY_LOCAL_MACHINE, "Software\\Classes\\.doc", "", RegValue::String("machine doc"));
    Put(HKEY_CURRENT_USER, "Software\\Classes\\.txt", "", RegValue::String("user"));
    registry->CloseKey(Create(HKEY_CURRENT_USER, "Software\\Classes\\.usr"));

    EXPECT_EQ(Text(HKEY_CLASSES_ROOT, ".txt", ""), "user");
    EXPECT_EQ(Text(HKEY_CLASSES_ROOT, ".doc", ""), "machine doc");
    EXPECT_EQ(SubKeys(HKEY_CLASSES_ROOT, ""), (std::vector<std::string>{".txt", ".usr", ".doc"}));

    // A write goes to the user's key where it exists, else to the machine's.
    Put(HKEY_CLASSES_ROOT, ".txt", "Written", RegValue::Dword(1));
    registry->CloseKey(Create(HKEY_CLASSES_ROOT, ".new"));
    EXPECT_EQ(Open(HKEY_CURRENT_USER, "Software\\Classes\\.txt"), ERROR_SUCCESS);
    RegHandle key = 0;
    registry->OpenKey(HKEY_CURRENT_USER, "Software\\Classes\\.txt", KEY_READ, &key);
    RegValue written;
    EXPECT_EQ(registry->QueryValue(key, "Written", &written), ERROR_SUCCESS);
    registry->CloseKey(key);
    EXPECT_EQ(Open(HKEY_LOCAL_MACHINE, "Software\\Classes\\.new"), ERROR_SUCCESS);
    EXPECT_EQ(Open(HKEY_CURRENT_USER, "Software\\Classes\\.new"), ERROR_FILE_NOT_FOUND);

    // Deleting removes the key from both, so it is gone from the merged view.
    EXPECT_EQ(registry->DeleteKeyTree(HKEY_CLASSES_ROOT, ".TXT"), ERROR_SUCCESS);
    EXPECT_EQ(Open(HKEY_CLASSES_ROOT, ".txt"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(Open(HKEY_LOCAL_MACHINE, "Software\\Classes\\.txt"), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryTest, UsersHoldTheDefaultProfileAndTheCurrentUser) {
    Put(HKEY_CURRENT_USER, "Software\\Mine", "v", RegValue::String("user"));
    Put(HKEY_USERS, ".DEFAULT\\Software\\Mine", "v", RegValue::String("default"));

    const std::string sid = registry->UserSid();
    EXPECT_EQ(sid, "S-1-5-21-0-0-0-1000");
    EXPECT_EQ(SubKeys(HKEY_USERS, ""), (std::vector<std::string>{".Default", sid}));
    EXPECT_EQ(Text(HKEY_USERS, sid + "\\Software\\Mine", "v"), "user");
    EXPECT_EQ(Text(HKEY_USERS, ".Default\\Software\\Mine", "v"), "default");
    EXPECT_EQ(Open(HKEY_USERS, "S-1-5-18"), ERROR_FILE_NOT_FOUND);
    RegHandle key = 0;
    EXPECT_EQ(registry->CreateKey(HKEY_USERS, "S-1-5-18\\x", &key), ERROR_ACCESS_DENIED);
}

TEST_F(RegistryTest, CurrentConfigIsTheMachinesCurrentHardwareProfile) {
    Put(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Hardware Profiles\\Current\\Software", "v",
        RegValue::String("profile"));
    EXPECT_EQ(Text(HKEY_CURRENT_CONFIG, "Software", "v"), "profile");
}

TEST_F(RegistryTest, DynamicAndPerformanceDataNeverOpen) {
    RegHandle key = 0;
    EXPECT_EQ(registry->OpenKey(HKEY_DYN_DATA, "", KEY_READ, &key), ERROR_INVALID_HANDLE);
    EXPECT_EQ(registry->OpenKey(HKEY_PERFORMANCE_DATA, "", KEY_READ, &key), ERROR_INVALID_HANDLE);
    EXPECT_EQ(registry->CreateKey(HKEY_DYN_DATA, "x", &key), ERROR_INVALID_HANDLE);
    EXPECT_EQ(key, 0u);
    RegValue value;
    EXPECT_EQ(registry->QueryValue(12345, "x", &value), ERROR_INVALID_HANDLE);
}

}  // namespace
}  // namespace platform
