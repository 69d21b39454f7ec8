#include "invariants.h"

#include <algorithm>
#include <system_error>

#include "platform/hive_parse.h"
#include "support/temporary_folder.h"

namespace fs = std::filesystem;
using test_support::ReadHostFileOrEmpty;

namespace {

bool IsQuarantinedName(const std::string& candidate, const std::string& name) {
    if (candidate == name) {
        return true;
    }
    // A later copy of the same name gets ".1", ".2", ...
    if (candidate.size() <= name.size() + 1 || candidate.compare(0, name.size(), name) != 0 ||
        candidate[name.size()] != '.') {
        return false;
    }
    const std::string number = candidate.substr(name.size() + 1);
    return std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

::testing::AssertionResult StillThereOrQuarantined(const fs::path& original,
                                                   const std::string& content,
                                                   const fs::path& quarantine) {
    std::error_code error;
    if (fs::exists(original, error)) {
        if (ReadHostFileOrEmpty(original) == content) {
            return ::testing::AssertionSuccess();
        }
        return ::testing::AssertionFailure() << original << " is there with other content";
    }
    const std::string name = original.filename().string();
    for (const auto& entry : fs::directory_iterator(quarantine, error)) {
        if (IsQuarantinedName(entry.path().filename().string(), name) &&
            ReadHostFileOrEmpty(entry.path()) == content) {
            return ::testing::AssertionSuccess();
        }
    }
    return ::testing::AssertionFailure()
           << original << " is gone without a complete copy in " << quarantine;
}

::testing::AssertionResult HoldsOneOf(const fs::path& file,
                                      const std::vector<std::string>& contents) {
    std::error_code error;
    if (!fs::exists(file, error) &&
        std::find(contents.begin(), contents.end(), "") == contents.end()) {
        return ::testing::AssertionFailure() << file << " is missing";
    }
    const std::string held = ReadHostFileOrEmpty(file);
    if (std::find(contents.begin(), contents.end(), held) != contents.end()) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << file << " holds " << held.size() << " bytes that are none of the expected contents";
}

::testing::AssertionResult HiveReadsWhole(const fs::path& hive) {
    const platform::Hive parsed = platform::ParseHive(ReadHostFileOrEmpty(hive), hive.string());
    if (parsed.diagnostics.empty()) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << hive << " line " << parsed.diagnostics.front().line
                                         << ": " << parsed.diagnostics.front().message;
}

std::vector<std::pair<std::string, std::string>> FolderContents(const fs::path& folder) {
    std::vector<std::pair<std::string, std::string>> contents;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        if (entry.is_regular_file()) {
            contents.emplace_back(entry.path().filename().string(),
                                  ReadHostFileOrEmpty(entry.path()));
        }
    }
    std::sort(contents.begin(), contents.end());
    return contents;
}
