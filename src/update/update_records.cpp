#include "update/update_records.h"

#include "foundation/definition_files.h"
#include "foundation/line_codec.h"
#include "foundation/path_text.h"
#include "platform/text_case.h"

namespace {

constexpr std::string_view kRecordSeparator = "[BR]";
constexpr std::string_view kDefinitionMarker = "[DEF]";

std::string_view TrimRecord(std::string_view text) {
    constexpr std::string_view kAround = " \t\r\n";
    const std::size_t first = text.find_first_not_of(kAround);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kAround) - first + 1);
}

// The next separator from a position on, in any letter case. No letter outside ASCII folds to "B"
// or "R", so the package need not be case-folded whole.
std::size_t FindRecordSeparator(std::string_view packageText, std::size_t from) {
    for (std::size_t found = packageText.find(kRecordSeparator.front(), from);
         found != std::string_view::npos;
         found = packageText.find(kRecordSeparator.front(), found + 1)) {
        if (platform::EqualsIgnoringCase(packageText.substr(found, kRecordSeparator.size()),
                                         kRecordSeparator)) {
            return found;
        }
    }
    return std::string_view::npos;
}

std::vector<std::string_view> SplitRecords(std::string_view packageText) {
    std::vector<std::string_view> records;
    std::size_t start = 0;
    for (std::size_t found = FindRecordSeparator(packageText, 0); found != std::string::npos;
         found = FindRecordSeparator(packageText, start)) {
        records.push_back(packageText.substr(start, found - start));
        start = found + kRecordSeparator.size();
    }
    records.push_back(packageText.substr(start));
    return records;
}

DefinitionUpdateRecord ParseRecord(std::string_view text) {
    DefinitionUpdateRecord record;
    const std::size_t marker = text.find(kDefinitionMarker);
    const std::string_view header = text.substr(0, marker);
    const std::size_t bar = header.find('|');
    record.kind = DecodeLine(header.substr(0, bar));
    if (bar != std::string_view::npos) {
        const std::string_view rest = header.substr(bar + 1);
        record.operation = rest.substr(0, rest.find('|'));
    }
    if (marker != std::string_view::npos) {
        record.definition = text.substr(marker + kDefinitionMarker.size());
    }
    record.wellFormed = marker != std::string_view::npos && bar != std::string_view::npos;
    return record;
}

bool IsSafeListKind(std::string_view kind) {
    return kind.find_first_of("Ss") != std::string_view::npos;
}

// The definition with its plain separators written in their encoded forms.
std::string EncodeSeparators(std::string_view definition) {
    static const std::string encodedEquals = EncodeLine("=");
    static const std::string encodedBar = EncodeLine("|");
    std::string line;
    line.reserve(definition.size());
    std::size_t plainStart = 0;  // the text since the last separator
    for (std::size_t at = 0; at < definition.size(); ++at) {
        if (definition[at] == '=' || definition[at] == '|') {
            line.append(definition.substr(plainStart, at - plainStart));
            line.append(definition[at] == '=' ? encodedEquals : encodedBar);
            plainStart = at + 1;
        }
    }
    line.append(definition.substr(plainStart));
    return line;
}

// A registry definition "<unused>=<threat>|<root>^<key>|<description>" becomes the registry
// file's "<root>^<key>^=<threat>|<description>": a key record without a value name.
std::optional<std::string> RegistryLine(std::string_view definition) {
    const auto fields = SplitAt(definition, '|');
    if (fields.size() < 3) {
        return std::nullopt;
    }
    const auto names = SplitAt(fields[0], '=');
    if (names.size() < 2) {
        return std::nullopt;
    }
    return std::string(fields[1]) + EncodeLine("^=") + std::string(names[1]) + EncodeLine("|") +
           std::string(fields[2]);
}

}  // namespace

std::vector<DefinitionUpdateRecord> ParseDefinitionUpdate(std::string_view packageText) {
    std::vector<DefinitionUpdateRecord> records;
    for (const std::string_view text : SplitRecords(packageText)) {
        const std::string_view trimmed = TrimRecord(text);
        if (!trimmed.empty()) {
            records.push_back(ParseRecord(trimmed));
        }
    }
    return records;
}

bool KindBelongsToFile(std::string_view kind, std::string_view fileName) {
    if (fileName == kFileDefinitionFile) {
        return kind == "FILE" || kind == "EXE" || kind == "DLL";
    }
    if (fileName == kExeDefinitionFile) {
        return kind == "EXE";
    }
    if (fileName == kRegistryDefinitionFile) {
        return kind == "REG";
    }
    if (fileName == kBlockedCookiesFile) {
        return kind == "COOK";
    }
    if (fileName == kDirectoryDefinitionFile) {
        return kind == "DIR";
    }
    return fileName == kSafetyFile && IsSafeListKind(kind);
}

std::optional<std::string> AddedDefinitionLine(const DefinitionUpdateRecord& record,
                                               std::string_view fileName) {
    if (fileName == kRegistryDefinitionFile) {
        return RegistryLine(record.definition);
    }
    if (fileName == kBlockedCookiesFile) {
        return record.definition.substr(0, record.definition.find('='));
    }
    if (fileName == kSafetyFile) {
        return EncodeLine(record.kind + "|") + EncodeSeparators(record.definition);
    }
    return EncodeSeparators(record.definition);
}

std::string DefinitionLineKey(std::string_view encodedLine) {
    // Only the part before the first encoded "=" is decoded: the rewrite after a deletion asks this
    // of every line of the file. No other character decodes to "=".
    static const std::string encodedEquals = EncodeLine("=");
    return DecodeLine(encodedLine.substr(0, encodedLine.find(encodedEquals)));
}

std::string UpdateDefinitionKey(std::string_view definition) {
    return DecodeLine(definition.substr(0, definition.find('=')));
}
