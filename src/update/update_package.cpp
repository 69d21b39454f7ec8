#include "update/update_package.h"

#include "foundation/definition_files.h"
#include "foundation/definition_set.h"
#include "foundation/program_folder.h"
#include "platform/machine.h"
#include "platform/text_encoding.h"
#include "platform/text_lines.h"
#include "update/sought_keys.h"
#include "update/stored_line_keys.h"

namespace {

constexpr std::size_t kLinesBetweenProgress = 100;

bool IsBlankLine(std::string_view line) {
    return line.empty() || line == " ";
}

// Once deletions are queued, blank lines go as well as those whose keys are queued.
bool IsDropped(std::string_view line, bool queued) {
    return IsBlankLine(line) || queued;
}

// What one file's pass seeks for the records of that file, counting one change per ADD; nothing
// when one of them cannot be applied.
std::optional<SoughtKeys> SoughtByRecords(const std::vector<DefinitionUpdateRecord>& records,
                                          std::string_view fileName, std::int32_t& changes) {
    SoughtKeys sought;
    StoredLineKeys storedKeys;
    for (const auto& record : records) {
        if (!KindBelongsToFile(record.kind, fileName)) {
            continue;
        }
        if (!record.wellFormed) {
            return std::nullopt;
        }
        if (record.operation == "ADD") {
            const auto line = AddedDefinitionLine(record, fileName);
            if (!line) {
                return std::nullopt;
            }
            std::string stored = platform::Utf8ToWindows1252(*line);
            std::string lowerKey(storedKeys.LowerKeyOf(stored));
            sought.SeekAddedLine(std::move(stored), std::move(lowerKey));
            if (record.definition.find('=') != std::string::npos) {
                sought.CancelDeletion(storedKeys.LowerKeyOfDefinition(record.definition));
            }
            ++changes;
        } else if (record.operation == "DEL") {
            sought.QueueDeletion(std::string(storedKeys.LowerKeyOfDefinition(record.definition)));
        }
    }
    return sought;
}

// A definition file as it was before the application.
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

}  // namespace

struct DefinitionUpdatePlan::File {
    std::string_view fileName;
    FileBefore before;
    std::optional<DefinitionFileUpdate> update;  // nothing: neither changed nor created
};

DefinitionUpdatePlan::DefinitionUpdatePlan() = default;
DefinitionUpdatePlan::DefinitionUpdatePlan(DefinitionUpdatePlan&&) noexcept = default;
DefinitionUpdatePlan& DefinitionUpdatePlan::operator=(DefinitionUpdatePlan&&) noexcept = default;
DefinitionUpdatePlan::~DefinitionUpdatePlan() = default;

std::optional<DefinitionUpdatePlan> PlanDefinitionUpdate(
    const std::vector<DefinitionUpdateRecord>& records, const UpdateStatus& showStatus) {
    DeletionProgress progress(showStatus);
    DefinitionUpdatePlan plan;
    // Sized once: the updates keep views into the bytes read, which must never move.
    plan.files_ = std::make_unique<DefinitionUpdatePlan::File[]>(kUpdatedDefinitionFiles.size());
    for (std::size_t index = 0; index < kUpdatedDefinitionFiles.size(); ++index) {
        DefinitionUpdatePlan::File& file = plan.files_[index];
        file.fileName = kUpdatedDefinitionFiles[index];
        if (!ReadBefore(file.fileName, file.before)) {
            return std::nullopt;
        }
        const std::optional<std::string>& bytes = file.before.bytes;
        auto update =
            UpdateDefinitionFile(records, file.fileName,
                                 bytes ? std::string_view(*bytes) : std::string_view(), progress);
        if (!update) {
            return std::nullopt;
        }
        plan.changes_ += update->changes;
        if (!bytes || update->linesChanged) {
            file.update = std::move(update);
        }
    }
    return plan;
}

DefinitionSetResult DefinitionUpdatePlan::Write(std::optional<std::string_view> dateText) const {
    std::vector<DefinitionSetFile> set;
    for (std::size_t index = 0; index < kUpdatedDefinitionFiles.size(); ++index) {
        const File& file = files_[index];
        if (file.update) {
            set.push_back({file.fileName, file.update->Pieces()});
        }
    }
    std::string dateLine;
    if (dateText) {
        dateLine = platform::Utf8ToWindows1252(*dateText) + "\r\n";
        set.push_back({kDefinitionsDateFile, {dateLine}});
    }
    return set.empty() ? DefinitionSetResult::Replaced : ReplaceDefinitionSet(set);
}

DefinitionSetResult ApplyPlannedUpdate(const std::vector<DefinitionUpdateRecord>& records,
                                       DefinitionUpdatePlan& plan,
                                       std::optional<std::string_view> dateText,
                                       const UpdateStatus& showStatus) {
    DefinitionSetResult result = plan.Write(dateText);
    if (result != DefinitionSetResult::Failed) {
        return result;
    }
    std::optional<DefinitionUpdatePlan> again = PlanDefinitionUpdate(records, showStatus);
    if (!again) {
        return DefinitionSetResult::Failed;
    }
    plan = std::move(*again);
    return plan.Write(dateText);
}

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
// the result is the stored bytes of the kept lines followed by the added lines.
std::optional<DefinitionFileUpdate> UpdateDefinitionFile(
    const std::vector<DefinitionUpdateRecord>& records, std::string_view fileName,
    std::string_view storedBytes, DeletionProgress& progress) {
    DefinitionFileUpdate update;
    auto found = SoughtByRecords(records, fileName, update.changes);
    if (!found) {
        return std::nullopt;
    }
    SoughtKeys& sought = *found;
    progress.Show("Applying new updates...");
    const bool deleting = sought.HasDeletions();
    if (deleting) {
        ++update.changes;
    }
    std::size_t lineNumber = 0;
    const auto checked = [&] {
        if (deleting) {
            progress.LineChecked(++lineNumber);
        }
    };
    const auto keepPiece = [&update](std::string_view piece) {
        update.keptPieces.push_back(piece);
    };
    std::size_t linesDropped = 0;
    if (sought.Empty()) {
        platform::KeptTextLinePieces(
            storedBytes, [](std::string_view) { return true; }, keepPiece);
    } else {
        StoredLineKeys storedKeys;
        linesDropped = platform::KeptTextLinePieces(
            storedBytes,
            [&](std::string_view line) {
                checked();
                const bool queued = sought.FindLine(line, storedKeys.LowerKeyOf(line));
                return !(deleting && IsDropped(line, queued));
            },
            keepPiece);
    }
    for (std::size_t number = 0; number < sought.AddedLineCount(); ++number) {
        checked();
        const std::string& line = sought.AddedLine(number);
        if (!sought.AddedLineStands(number) &&
            !(deleting && IsDropped(line, sought.AddedLineIsQueued(number)))) {
            update.addedBytes.append(line).append("\r\n");
        }
    }
    // A kept line cannot stand where a dropped one stood (it would have been dropped too), so the
    // lines are the same exactly when none went and none came.
    update.linesChanged = linesDropped > 0 || !update.addedBytes.empty();
    return update;
}

std::vector<std::string_view> DefinitionFileUpdate::Pieces() const {
    std::vector<std::string_view> pieces = keptPieces;
    pieces.push_back(addedBytes);
    return pieces;
}
