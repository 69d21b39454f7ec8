#include "update/update_package.h"

#include <unordered_set>

#include "foundation/definition_files.h"
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

std::vector<std::string> WithoutDeletedLines(const std::vector<std::string>& lines,
                                             const QueuedKeys& queuedKeys,
                                             DeletionProgress& progress) {
    std::vector<std::string> kept;
    kept.reserve(lines.size());
    for (std::size_t index = 0; index < lines.size(); ++index) {
        progress.LineChecked(index + 1);
        const std::string& line = lines[index];
        if (!IsBlankLine(line) && !IsQueued(queuedKeys, DefinitionLineKey(line))) {
            kept.push_back(line);
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
bool ReadBefore(std::string_view fileName, FileBefore& before, std::vector<std::string>& lines) {
    before.path = ProgramFolderFile(fileName);
    std::string bytes;
    const long status = platform::CurrentMachine().files().ReadBytes(before.path, &bytes);
    if (status == platform::ERROR_FILE_NOT_FOUND) {
        return true;
    }
    if (status != platform::ERROR_SUCCESS) {
        return false;
    }
    for (const auto& line : platform::SplitTextLines(bytes)) {
        lines.push_back(platform::Windows1252ToUtf8(line));
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
    std::vector<std::string> lines;
};

// Replaces every planned file; when one cannot be written, the ones written already get their old
// content back.
bool ReplaceDefinitionFiles(const std::vector<PlannedFile>& planned) {
    const auto& files = platform::CurrentMachine().files();
    for (std::size_t index = 0; index < planned.size(); ++index) {
        if (files.ReplaceTextLines(planned[index].before.path, planned[index].lines) !=
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
        PlannedFile file;
        std::vector<std::string> lines;
        if (!ReadBefore(fileName, file.before, lines)) {
            return std::nullopt;
        }
        auto update = UpdateDefinitionFile(records, fileName, lines, progress);
        if (!update) {
            return std::nullopt;
        }
        changes += update->changes;
        if (!file.before.bytes || update->lines != lines) {
            file.lines = std::move(update->lines);
            planned.push_back(std::move(file));
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

std::optional<DefinitionFileUpdate> UpdateDefinitionFile(
    const std::vector<DefinitionUpdateRecord>& records, std::string_view fileName,
    std::vector<std::string> lines, DeletionProgress& progress) {
    DefinitionFileUpdate update;
    QueuedKeys queuedKeys;
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
            lines.push_back(std::move(*line));
            if (record.definition.find('=') != std::string::npos) {
                queuedKeys.erase(platform::ToLowerText(UpdateDefinitionKey(record.definition)));
            }
            ++update.changes;
        } else if (record.operation == "DEL") {
            queuedKeys.insert(platform::ToLowerText(UpdateDefinitionKey(record.definition)));
        }
    }
    progress.Show("Applying new updates...");
    if (!queuedKeys.empty()) {
        ++update.changes;
        lines = WithoutDeletedLines(lines, queuedKeys, progress);
    }
    update.lines = std::move(lines);
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
