#include "foundation/file_queries.h"

#include <limits>
#include <new>

#include "forms/form.h"
#include "foundation/file_company.h"
#include "foundation/path_text.h"
#include "platform/machine.h"
#include "platform/text_case.h"

bool FileExists(std::string_view path) {
    const auto found =
        platform::CurrentMachine().files().FindFile(path, platform::SearchScope::OrdinaryFiles);
    return found && platform::EqualsIgnoringCase(*found, GetFileNameFromPath(path));
}

bool FolderExists(std::string_view path) {
    return platform::CurrentMachine().folders().Exists(path);
}

std::int32_t GetFileSizeBytes(std::string_view path) {
    std::uint64_t size = 0;
    if (platform::CurrentMachine().files().Size(path, &size) != platform::ERROR_SUCCESS ||
        size > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max())) {
        return 0;
    }
    return static_cast<std::int32_t>(size);
}

std::string GetFileCompanyName(std::string_view path) {
    try {
        std::string bytes;
        if (platform::CurrentMachine().files().ReadBytes(path, &bytes, kVersionBlockReadLimit) !=
            platform::ERROR_SUCCESS) {
            return "";
        }
        return GetFileCompanyNameFromBytes(bytes);
    } catch (const std::bad_alloc&) {
        return "";  // a file larger than the memory left has no name we could read
    }
}

std::string GetSystemDir() {
    return platform::CurrentMachine().specialFolders().SystemFolder();
}

void SetTopMost(forms::Form& window, bool on) {
    window.SetTopMost(on);
}
