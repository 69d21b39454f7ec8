#include "foundation/file_company.h"

#include <algorithm>
#include <optional>

#include "foundation/path_text.h"
#include "platform/text_encoding.h"

namespace {

constexpr std::string_view kTripleNul{"\0\0\0", 3};
constexpr std::size_t kNarrowValueOffset = 12;  // "CompanyName" and its NUL
constexpr std::size_t kWideValueOffset = 26;    // type word, the key and its NUL in UTF-16LE
constexpr std::size_t kControlSearchLength = 255;

// Where a company value starts and which form of "FileDescription" marks a cut that ran too far.
struct CompanyEntry {
    std::size_t valueStart;
    std::string nextKey;
};

std::optional<CompanyEntry> FindCompanyEntry(std::string_view bytes) {
    const auto wideInfo = bytes.find(ToWideByteString("StringFileInfo"));
    std::size_t infoStart = wideInfo;
    if (wideInfo == std::string_view::npos) {
        const auto narrowInfo = bytes.find("StringFileInfo");
        infoStart = narrowInfo == std::string_view::npos ? 0 : narrowInfo;
        const auto key = bytes.find("CompanyName", infoStart);
        if (key != std::string_view::npos) {
            return CompanyEntry{key + kNarrowValueOffset, "FileDescription"};
        }
    }
    const auto key = bytes.find(ToWideByteString("CompanyName"), infoStart);
    if (key == std::string_view::npos) {
        return std::nullopt;
    }
    return CompanyEntry{key + kWideValueOffset, ToWideByteString("FileDescription")};
}

// The value ends at the next run of three NULs; when that cut swallowed the next entry, it ends
// instead at the first control character shortly after its start.
std::string_view CutValue(std::string_view bytes, const CompanyEntry& entry) {
    if (entry.valueStart >= bytes.size()) {
        return {};
    }
    const std::string_view rest = bytes.substr(entry.valueStart);
    const auto end = rest.find(kTripleNul);
    if (end == std::string_view::npos) {
        return {};  // a value that never ends is no value
    }
    const std::string_view value = rest.substr(0, end);
    if (value.find(entry.nextKey) == std::string_view::npos) {
        return value;
    }
    const std::size_t searchEnd = std::min(rest.size(), kControlSearchLength + 1);
    for (std::size_t i = 1; i < searchEnd; ++i) {
        if (static_cast<unsigned char>(rest[i]) < 32) {
            return rest.substr(0, i);
        }
    }
    return value;
}

}  // namespace

std::string GetFileCompanyNameFromBytes(std::string_view fileBytes) {
    const auto entry = FindCompanyEntry(fileBytes);
    if (!entry) {
        return {};
    }
    const std::string value =
        ReplaceAll(CutValue(fileBytes, *entry), std::string_view("\0", 1), "");
    return platform::Windows1252ToUtf8(value);
}
