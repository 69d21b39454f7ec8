#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The Windows registry of the protected machine, with the Win32 semantics the program relies on:
// predefined roots, access masks, error codes and value types.
namespace platform {

// Predefined root keys, as the signed 32-bit values of their handles.
using RegRoot = std::int32_t;
inline constexpr RegRoot HKEY_CLASSES_ROOT = static_cast<RegRoot>(0x80000000u);
inline constexpr RegRoot HKEY_CURRENT_USER = static_cast<RegRoot>(0x80000001u);
inline constexpr RegRoot HKEY_LOCAL_MACHINE = static_cast<RegRoot>(0x80000002u);
inline constexpr RegRoot HKEY_USERS = static_cast<RegRoot>(0x80000003u);
inline constexpr RegRoot HKEY_PERFORMANCE_DATA = static_cast<RegRoot>(0x80000004u);
inline constexpr RegRoot HKEY_CURRENT_CONFIG = static_cast<RegRoot>(0x80000005u);
inline constexpr RegRoot HKEY_DYN_DATA = static_cast<RegRoot>(0x80000006u);
// The roots a key can be opened under.
inline const std::vector<RegRoot> kEveryRegistryRoot = {
    HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_USERS, HKEY_CURRENT_CONFIG};

// Win32 error codes that callers look at.
inline constexpr long ERROR_SUCCESS = 0;
inline constexpr long ERROR_FILE_NOT_FOUND = 2;
inline constexpr long ERROR_PATH_NOT_FOUND = 3;
inline constexpr long ERROR_ACCESS_DENIED = 5;
inline constexpr long ERROR_INVALID_HANDLE = 6;
inline constexpr long ERROR_WRITE_FAULT = 29;
inline constexpr long ERROR_SHARING_VIOLATION = 32;
inline constexpr long ERROR_INVALID_PARAMETER = 87;
inline constexpr long ERROR_ALREADY_EXISTS = 183;
inline constexpr long ERROR_BADDB = 1009;        // a hive that cannot be read
inline constexpr long ERROR_KEY_DELETED = 1018;  // the open key was deleted meanwhile
// While Wine's server holds the registry, changes go through Wine's own registry tool; these codes
// (not Win32 ones: bit 29 marks codes an application defines) say why one was not made: the tool
// could not be started (no "wine"), it did not finish in time, or it reported a failure.
inline constexpr long ERROR_WINE_TOOL_NOT_STARTED = 0x20000002;
inline constexpr long ERROR_WINE_TOOL_TIMED_OUT = 0x20000003;
inline constexpr long ERROR_WINE_TOOL_FAILED = 0x20000004;

// Whether the code says that a change through Wine's own tools failed.
bool IsWineToolError(long code);

// A text the user can be shown for a registry error code ("" for ERROR_SUCCESS).
std::string RegistryErrorText(long code);

// Key access rights.
inline constexpr std::uint32_t KEY_QUERY_VALUE = 0x0001;
inline constexpr std::uint32_t KEY_SET_VALUE = 0x0002;
inline constexpr std::uint32_t KEY_CREATE_SUB_KEY = 0x0004;
inline constexpr std::uint32_t KEY_ENUMERATE_SUB_KEYS = 0x0008;
inline constexpr std::uint32_t KEY_NOTIFY = 0x0010;
inline constexpr std::uint32_t KEY_CREATE_LINK = 0x0020;
inline constexpr std::uint32_t KEY_READ = 0x20019;
inline constexpr std::uint32_t KEY_WRITE = 0x20006;
inline constexpr std::uint32_t KEY_ALL_ACCESS = 0xF003F;
// Grants what the account may have: all rights on a writable hive, else the read rights.
inline constexpr std::uint32_t MAXIMUM_ALLOWED = 0x02000000;
// The rights that need a writable hive.
inline constexpr std::uint32_t KEY_WRITE_RIGHTS =
    KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_CREATE_LINK;

// Value types.
inline constexpr std::uint32_t REG_NONE = 0;
inline constexpr std::uint32_t REG_SZ = 1;
inline constexpr std::uint32_t REG_EXPAND_SZ = 2;
inline constexpr std::uint32_t REG_BINARY = 3;
inline constexpr std::uint32_t REG_DWORD = 4;
inline constexpr std::uint32_t REG_LINK = 6;
inline constexpr std::uint32_t REG_MULTI_SZ = 7;
inline constexpr std::uint32_t REG_QWORD = 11;

// One value. Strings are UTF-8 inside the program; the hive format converts at its boundary.
struct RegValue {
    std::uint32_t type = REG_NONE;
    std::string text;                // REG_SZ and REG_EXPAND_SZ, without a terminating NUL
    std::uint32_t number = 0;        // REG_DWORD
    std::vector<std::uint8_t> data;  // every other type: the raw bytes

    static RegValue String(std::string value) { return {REG_SZ, std::move(value), 0, {}}; }
    static RegValue Dword(std::uint32_t value) { return {REG_DWORD, {}, value, {}}; }
};

// An open key; 0 is never a valid handle.
using RegHandle = std::uint64_t;

class Registry {
  public:
    virtual ~Registry() = default;

    // Opens root\subKey ("" opens the root itself). Asking for any of KEY_WRITE_RIGHTS on a hive
    // the account may not write fails with ERROR_ACCESS_DENIED; a missing key gives
    // ERROR_FILE_NOT_FOUND.
    virtual long OpenKey(RegRoot root, std::string_view subKey, std::uint32_t access,
                         RegHandle* key) = 0;
    // Opens or creates root\subKey with all access, making the keys above it as needed.
    virtual long CreateKey(RegRoot root, std::string_view subKey, RegHandle* key) = 0;
    virtual void CloseKey(RegHandle key) = 0;

    // name "" is the key's default value. A missing value gives ERROR_FILE_NOT_FOUND.
    virtual long QueryValue(RegHandle key, std::string_view name, RegValue* value) = 0;
    virtual long SetValue(RegHandle key, std::string_view name, const RegValue& value) = 0;
    virtual long DeleteValue(RegHandle key, std::string_view name) = 0;

    // Names of the sub-keys and of the values of an open key, in the hive's order.
    virtual long EnumSubKeys(RegHandle key, std::vector<std::string>* names) = 0;
    virtual long EnumValueNames(RegHandle key, std::vector<std::string>* names) = 0;

    // Deletes root\subKey with everything below it.
    virtual long DeleteKeyTree(RegRoot root, std::string_view subKey) = 0;

    // While held, the look-ups take the hives as they stood when the hold began instead of
    // asking their files for a change at every call: for a pass that writes nothing, such as a
    // scan's registry phase. Writes still see the files as they are.
    virtual void HoldHives(bool hold) = 0;

    // Changes made until the matching CommitChanges are seen by every read at once and stored
    // together: one write of each hive, or one run of Wine's registry tool while Wine's server
    // holds the registry. Pairs nest; the outermost commit stores. Until then every change
    // reports what it would do to the registry as it is seen.
    virtual void BeginChanges() {}
    // ERROR_SUCCESS once every change since BeginChanges is stored, else why not; a change that
    // was not stored is not seen any more.
    virtual long CommitChanges() { return ERROR_SUCCESS; }

    // While another process holds the registry (Wine's server, for a prefix whose programs run),
    // exports what lies under the given roots as that process shows it to the installation's
    // programs into the folder, and gives the result; nothing when no process holds it, so that its
    // files are as they are seen.
    virtual std::optional<long> ExportWhileHeld(const std::filesystem::path&,
                                                const std::vector<RegRoot>&) {
        return std::nullopt;
    }
};

// Makes the changes of its scope one change of the registry (see Registry::BeginChanges); the
// changes are stored by Commit, or when the scope ends.
class ScopedRegistryChanges {
  public:
    explicit ScopedRegistryChanges(Registry& registry) : registry_(registry) {
        registry_.BeginChanges();
    }
    ~ScopedRegistryChanges() {
        if (!committed_) {
            registry_.CommitChanges();
        }
    }
    ScopedRegistryChanges(const ScopedRegistryChanges&) = delete;
    ScopedRegistryChanges& operator=(const ScopedRegistryChanges&) = delete;

    long Commit() {
        committed_ = true;
        return registry_.CommitChanges();
    }

  private:
    Registry& registry_;
    bool committed_ = false;
};

// Holds the registry's hives for the scope's life (see Registry::HoldHives).
class ScopedHeldHives {
  public:
    explicit ScopedHeldHives(Registry& registry) : registry_(registry) {
        registry_.HoldHives(true);
    }
    ~ScopedHeldHives() { registry_.HoldHives(false); }
    ScopedHeldHives(const ScopedHeldHives&) = delete;
    ScopedHeldHives& operator=(const ScopedHeldHives&) = delete;

  private:
    Registry& registry_;
};

}  // namespace platform
