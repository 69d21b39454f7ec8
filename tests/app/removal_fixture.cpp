#include "removal_fixture.h"

#include "engine/registry_removal.h"
#include "foundation/open_reg_key.h"

namespace fs = std::filesystem;

RemovalTest::~RemovalTest() {
    test_support::RemoveTree(QuarantineHostFolder());  // it may have been made read-only
}

std::string RemovalTest::WriteFileOnC(const fs::path& belowDriveC, std::string_view bytes) {
    test_support::WriteHostFile(hives.machine().prefix().driveC() / belowDriveC, bytes);
    std::string path = "C:\\" + belowDriveC.string();
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

fs::path RemovalTest::HostPathOf(std::string_view windowsPath) const {
    return hives.machine().paths().ToHost(windowsPath).value_or(fs::path());
}

bool RemovalTest::HostFileExists(std::string_view windowsPath) const {
    std::error_code error;
    return fs::exists(HostPathOf(windowsPath), error);
}

fs::path RemovalTest::QuarantineHostFolder() const {
    return program.path() / "quarantine";
}

std::string RemovalTest::QuarantinedContent(const std::string& name) const {
    return test_support::ReadHostFileOrEmpty(QuarantineHostFolder() / name);
}

std::string RemovalTest::QuarantineLogText() const {
    return test_support::ReadHostFileOrEmpty(QuarantineHostFolder() / "QuarantineLog.txt");
}

void RemovalTest::MakeQuarantineReadOnly() const {
    fs::create_directories(QuarantineHostFolder());
    fs::permissions(QuarantineHostFolder(), fs::perms::owner_write, fs::perm_options::remove);
}

void RemovalTest::SetRegistryValue(platform::RegRoot root, const std::string& key,
                                   const std::string& name, const std::string& text) {
    OpenRegKey opened;
    ASSERT_EQ(opened.Create(root, key), platform::ERROR_SUCCESS);
    ASSERT_EQ(opened.registry().SetValue(opened.handle(), name, platform::RegValue::String(text)),
              platform::ERROR_SUCCESS);
}

bool RemovalTest::RegistryKeyThere(platform::RegRoot root, const std::string& key) {
    OpenRegKey opened;
    return opened.Open(root, key, platform::KEY_QUERY_VALUE) == platform::ERROR_SUCCESS;
}

bool RemovalTest::RegistryValueThere(platform::RegRoot root, const std::string& key,
                                     const std::string& name) {
    OpenRegKey opened;
    platform::RegValue value;
    return opened.Open(root, key, platform::KEY_QUERY_VALUE) == platform::ERROR_SUCCESS &&
           opened.registry().QueryValue(opened.handle(), name, &value) == platform::ERROR_SUCCESS;
}

void RemovalTest::AddFileThreat(const std::string& path, const std::string& threat) {
    AddFileTrace(lists, path, threat);
    ReportThreat(lists, {threat, ResultKind::File, path, ""});
}

void RemovalTest::AddFolderThreat(const std::string& path, const std::string& threat) {
    AddFileTrace(lists, path, threat);
    ReportThreat(lists, {threat, ResultKind::Folder, path, ""});
}

void RemovalTest::AddRegistryThreat(platform::RegRoot root, const std::string& key,
                                    const std::string& value, const std::string& threat) {
    AddRegistryTrace(lists, {root, key, value, threat});
    ReportThreat(lists,
                 {threat, ResultKind::Registry, RegistryEntryLocation(root, key, value), ""});
}

void RemovalTest::AddCookieThreat(const std::string& path) {
    const std::string name = path.substr(path.rfind('\\') + 1);
    AddFoundLine(lists, "Cookie Found: " + name, ResultKind::Cookie);
    AddCookieTrace(lists, path);
    AddThreatRow(lists, {"Cookie: " + name, ResultKind::Cookie, path, "Tracking Cookie"});
}

void RemovalTest::UserTicks(int threatRow, bool tick) {
    window.lvwPicRemoveListOfSpywareFoundAndToBeRemoved.UserSetChecked(threatRow, tick);
}
