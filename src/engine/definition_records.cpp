#include "engine/definition_records.h"

#include <vector>

#include "foundation/folder_tokens.h"
#include "foundation/path_text.h"

std::string ExpandRecordTokens(std::string_view text, FolderTokenExpander& tokens) {
    return tokens.Expand(ReplaceEachOnce(text, "[drive]", tokens.SystemDriveRoot()));
}

// --- Registry records.

namespace {

struct ThreatPart {
    std::string name;
    std::string description;
};

// The threat name is the text before the first "|", the description the text up to a second one.
ThreatPart SplitThreatPart(std::string_view text) {
    const std::vector<std::string_view> pieces = SplitAt(TrimBlanks(text), '|');
    return {std::string(pieces[0]), pieces.size() > 1 ? std::string(pieces[1]) : std::string()};
}

}  // namespace

std::optional<RegistryRecord> ParseRegistryRecord(std::string_view line,
                                                  FolderTokenExpander& tokens) {
    const auto cut = line.rfind('=');
    if (cut == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string left = ExpandRecordTokens(line.substr(0, cut), tokens);
    const std::vector<std::string_view> fields = SplitAt(left, '^');
    if (fields.size() < 3 || TrimBlanks(fields[0]).empty()) {
        return std::nullopt;
    }
    ThreatPart threat = SplitThreatPart(line.substr(cut + 1));
    return RegistryRecord{std::string(fields[0]), std::string(fields[1]),
                          ReplaceEachOnce(fields[2], "\\\\", "\\"), std::move(threat.name),
                          std::move(threat.description)};
}

// --- Program records.

std::optional<ProgramRecord> ParseProgramRecord(std::string_view line) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
        return std::nullopt;
    }
    std::string_view right = line.substr(equals + 1);
    right = right.substr(0, right.find('='));
    std::string_view folder = right;
    if (const std::size_t bar = right.find('|'); bar != std::string_view::npos) {
        folder = right.substr(bar + 1);
        folder = folder.substr(0, folder.find('|'));
    }
    return ProgramRecord{std::string(line.substr(0, equals)), std::string(folder)};
}

// --- File and folder records.

namespace {

std::string WithSingleBackslashes(std::string_view path) {
    return ReplaceEachOnce(path, "\\\\", "\\");
}

}  // namespace

std::optional<FileRecord> ParseFileRecord(std::string_view line) {
    const std::vector<std::string_view> fields = SplitAt(line, '|');
    const std::vector<std::string_view> names = SplitAt(fields[0], '=');
    if (names.size() < 2) {
        return std::nullopt;
    }
    FileRecord record{std::string(names[0]), std::string(names[1]), {}, {}};
    if (fields.size() > 1) {
        record.folder = fields[1];
    }
    if (fields.size() > 2) {
        record.extra = std::string(fields[2]);
    }
    return record;
}

std::string ExpandRecordFolder(std::string_view folder, FolderTokenExpander& tokens) {
    return WithSingleBackslashes(ExpandRecordTokens(folder, tokens));
}

std::string FileRecordTarget(const FileRecord& record, std::string_view expandedFolder) {
    const std::string_view name = TrimBlanks(record.itemName);
    if (expandedFolder.empty()) {
        return WithSingleBackslashes(name);
    }
    std::string target(expandedFolder);
    target.append("\\").append(name);
    return WithSingleBackslashes(target);
}

std::string FolderRecordLabel(const FileRecord& record) {
    std::string label;
    for (const char c : record.itemName) {
        if (c != '\r' && c != '\n' && c != '\t') {
            label.push_back(c);
        }
    }
    return label;
}
