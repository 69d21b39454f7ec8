#include "update/update_package.h"

#include <unordered_set>

#include "foundation/definition_files.h"
#include "foundation/line_codec.h"
#include "foundation/program_folder.h"
#include "platform/machine.h"
#include "platform/text_case.h"
#include "platform/text_encoding.h"
#include "platform/text_lines.h"

namespace {

constexpr std::size_t kLinesBetweenProgress = 100;

bool IsBlankLine(std::string_view line) {
    return line.empty() || line == " ";
}

// The keys of the queued deletions, in lower case: keys compare without case, and a set keeps the
// rewrite of a large file at one look-up per line however many deletions are queued.
using QueuedKeys = std::unordered_set<std::string>;

bool IsQueued(const QueuedKeys& queuedKeys, std::string_view key) {
    return queuedKeys.count(platform::ToLowerText(key)) > 0;
}

// The key of a line as the file stores it (8-bit). The encoded "=" that ends a key is ASCII, so it
// stands at the same place in the stored bytes, and only the key needs converting.
std::string StoredLineKey(std::string_view storedLine) {
    static const std::string encodedEquals = EncodeLine("=");
    return DefinitionLineKey(
        platform::Windows1252ToUtf8(storedLine.substr(0, storedLine.find(encodedEquals))));
}

// The lines without the blank ones and those whose keys are queued; lines counts on from
// firstNumber.
template <typename Line, typename KeyOf>
std::vector<Line> WithoutDeletedLines(const std::vector<Line>& lines, const QueuedKeys& queuedKeys,
                                      KeyOf keyOf, std::size_t firstNumber,
                                      DeletionProgress& progress) {
    std::vector<Line> kept;
    kept.reserve(lines.size());
    for (std::size_t index = 0; index < lines.size(); ++index) {
        progress.LineChecked(firstNumber + index);
        if (!IsBlankLine(lines[index]) && !IsQueued(queuedKeys, keyOf(lines[index]))) {
            kept.push_back(lines[index]);
        }
    }
    return kept;
}

// A definition file as it was before the application, so that it can be put back.
struct FileBefore {
    std::string path;
    std::optional<std::string> bytes;  // nothing: the file did not exist
};

// Reads a file of the program folder; false when it is there but cannot be read.
bool ReadBefore(std::string_view fileName, FileBefore& before) {
    before.path = ProgramFolderFile(fileName);
    std::string bytes;
    const long status = platform::CurrentMachine().files().ReadBytes(before.path, &bytes);
    if (status == platform::ERROR_FILE_NOT_FOUND) {
        return true;
    }
    if (status != platform::ERROR_SUCCESS) {
        return false;
    }
    before.bytes = std::move(bytes);
    return true;
}

void PutBack(const FileBefore& before) {
    const auto& files = platform::CurrentMachine().files();
    if (before.bytes) {
        files.ReplaceBytes(before.path, *before.bytes);
    } else {
        files.Delete(before.path);
    }
}

struct PlannedFile {
    FileBefore before;
    std::string bytes;
};

// Replaces every planned file; when one cannot be written, the ones written already get their old
// content back.
bool ReplaceDefinitionFiles(const std::vector<PlannedFile>& planned) {
    const auto& files = platform::CurrentMachine().files();
    for (std::size_t index = 0; index < planned.size(); ++index) {
        if (files.ReplaceBytes(planned[index].before.path, planned[index].bytes) !=
            platform::ERROR_SUCCESS) {
            for (std::size_t written = 0; written < index; ++written) {
                PutBack(planned[written].before);
            }
            return false;
        }
    }
    return true;
}

std::optional<std::int32_t> TryApply(const std::vector<DefinitionUpdateRecord>& records,
                                     const UpdateStatus& showStatus) {
    DeletionProgress progress(showStatus);
    std::vector<PlannedFile> planned;
    std::int32_t changes = 0;
    for (const std::string_view fileName : kUpdatedDefinitionFiles) {
        FileBefore before;
        if (!ReadBefore(fileName, before)) {
            return std::nullopt;
        }
        auto update = UpdateDefinitionFile(
            records, fileName, before.bytes ? std::string_view(*before.bytes) : std::string_view(),
            progress);
        if (!update) {
            return std::nullopt;
        }
        changes += update->changes;
        if (!before.bytes || update->linesChanged) {
            planned.push_back({std::move(before), std::move(update->bytes)});
        }
    }
    if (!ReplaceDefinitionFiles(planned)) {
        return std::nullopt;
    }
    return changes;
}

}  // namespace

const std::array<std::string_view, 6> kUpdatedDefinitionFiles = {
    kFileDefinitionFile, kExeDefinitionFile,       kRegistryDefinitionFile,
    kBlockedCookiesFile, kDirectoryDefinitionFile, kSafetyFile,
};

void DeletionProgress::LineChecked(std::size_t lineNumber) {
    if (++checked_ % kLinesBetweenProgress == 0) {
        Show("Removing outdated definitions: checking entry " + std::to_string(lineNumber));
    }
}

void DeletionProgress::Show(const std::string& text) const {
    if (showStatus_) {
        showStatus_(text);
    }
}

// The file's own lines stay in their stored form throughout: of each only the key is decoded, and
// the result is the stored bytes of the kept lines followed by the added lines, converted once.
std::optional<DefinitionFileUpdate> UpdateDefinitionFile(
    const std::vector<DefinitionUpdateRecord>& records, std::string_view fileName,
    std::string_view storedBytes, DeletionProgress& progress) {
    DefinitionFileUpdate update;
    QueuedKeys queuedKeys;
    std::vector<std::string> addedLines;
    for (const auto& record : records) {
        if (!KindBelongsToFile(record.kind, fileName)) {
            continue;
        }
        if (!record.wellFormed) {
            return std::nullopt;
        }
        if (record.operation == "ADD") {
            auto line = AddedDefinitionLine(record, fileName);
            if (!line) {
                return std::nullopt;
            }
            addedLines.push_back(std::move(*line));
            if (record.definition.find('=') != std::string::npos) {
                queuedKeys.erase(platform::ToLowerText(UpdateDefinitionKey(record.definition)));
            }
            ++update.changes;
        } else if (record.operation == "DEL") {
            queuedKeys.insert(platform::ToLowerText(UpdateDefinitionKey(record.definition)));
        }
    }
    progress.Show("Applying new updates...");
    std::vector<std::string_view> lines = platform::SplitTextLineViews(storedBytes);
    const std::size_t storedCount = lines.size();
    if (!queuedKeys.empty()) {
        ++update.changes;
        lines = WithoutDeletedLines(lines, queuedKeys, StoredLineKey, 1, progress);
        addedLines = WithoutDeletedLines(addedLines, queuedKeys, DefinitionLineKey, storedCount + 1,
                                         progress);
    }
    // A kept line cannot stand where a dropped one stood (it would have been dropped too), so the
    // lines are the same exactly when none went and none came.
    update.linesChanged = lines.size() != storedCount || !addedLines.empty();
    std::vector<std::string> storedAdded;
    storedAdded.reserve(addedLines.size());
    for (const std::string& line : addedLines) {
        storedAdded.push_back(platform::Utf8ToWindows1252(line));
    }
    lines.insert(lines.end(), storedAdded.begin(), storedAdded.end());
    update.bytes = platform::JoinTextLines(lines);
    return update;
}

std::optional<std::int32_t> TryApplyDefinitionUpdate(std::string_view packageText,
                                                     const UpdateStatus& showStatus) {
    const auto records = ParseDefinitionUpdate(packageText);
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (const auto changes = TryApply(records, showStatus)) {
            return changes;
        }
    }
    return std::nullopt;
}

std::int32_t ApplyDefinitionUpdate(std::string_view packageText, const UpdateStatus& showStatus) {
    return TryApplyDefinitionUpdate(packageText, showStatus).value_or(0);
}
