#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/definition_set.h"
#include "update/update_records.h"

// Applying an update package (update_records.h) to the definition files of the program folder:
// each file gets the lines of its ADD records at its end and loses the lines whose keys its DEL
// records name.

// The files in the order a package is applied to them.
extern const std::array<std::string_view, 6> kUpdatedDefinitionFiles;

// Shows a status text of the running application and lets the window loop run once.
using UpdateStatus = std::function<void(const std::string& text)>;

// Counts the lines that deletions have looked at, across every file of one application, and
// shows "Removing outdated definitions: checking entry <n>" at every 100th.
class DeletionProgress {
  public:
    explicit DeletionProgress(UpdateStatus showStatus) : showStatus_(std::move(showStatus)) {}
    void LineChecked(std::size_t lineNumber);
    void Show(const std::string& text) const;

  private:
    UpdateStatus showStatus_;
    std::size_t checked_ = 0;
};

// What one file's pass makes of it.
struct DefinitionFileUpdate {
    // The new content, stored as the file holds it (8-bit, CR LF): the kept lines, as views into
    // the stored bytes the update was made from (valid while those are), then the added lines.
    std::vector<std::string_view> keptPieces;
    std::string addedBytes;
    bool linesChanged = false;  // whether a line was added or removed
    // One per ADD, its line new or standing already (a package applied again still dates the
    // definitions), and one for the deletions if there were any.
    std::int32_t changes = 0;

    // The whole content as pieces to be written one after the other.
    std::vector<std::string_view> Pieces() const;
};

// One file's pass over the records: the ADD lines go at the end, except those that stand in the
// file already, exactly (so that applying a package again adds nothing twice); a DEL queues its
// key, which a later ADD of the same key takes back; when anything was queued, the lines whose keys
// are queued and the empty and single-blank lines go. storedBytes is the file's content as read
// (empty for a missing file). Nothing when a record of this file cannot be applied.
std::optional<DefinitionFileUpdate> UpdateDefinitionFile(
    const std::vector<DefinitionUpdateRecord>& records, std::string_view fileName,
    std::string_view storedBytes, DeletionProgress& progress);

// An application of the records to every definition file worked out in memory, from the files as
// they were read: the new content of each file that changes, or is missing and so created.
class DefinitionUpdatePlan {
  public:
    DefinitionUpdatePlan();
    DefinitionUpdatePlan(DefinitionUpdatePlan&&) noexcept;
    DefinitionUpdatePlan& operator=(DefinitionUpdatePlan&&) noexcept;
    ~DefinitionUpdatePlan();

    // See DefinitionFileUpdate::changes, summed over the files.
    std::int32_t changes() const { return changes_; }

  private:
    struct File;
    friend std::optional<DefinitionUpdatePlan> PlanDefinitionUpdate(
        const std::vector<DefinitionUpdateRecord>& records, const UpdateStatus& showStatus);
    friend DefinitionSetResult ApplyPlannedUpdate(
        const std::vector<DefinitionUpdateRecord>& records, DefinitionUpdatePlan& plan,
        std::optional<std::string_view> dateText, const UpdateStatus& showStatus);

    // One write of the plan by ApplyPlannedUpdate.
    DefinitionSetResult Write(std::optional<std::string_view> dateText) const;

    std::unique_ptr<File[]> files_;  // one per kUpdatedDefinitionFiles, never moved once read
    std::int32_t changes_ = 0;
};

// Nothing when a file cannot be read or a record of a file cannot be applied.
std::optional<DefinitionUpdatePlan> PlanDefinitionUpdate(
    const std::vector<DefinitionUpdateRecord>& records, const UpdateStatus& showStatus);

// Writes the planned files, and date.dat holding dateText when there is one, as one set
// (definition_set.h): all of them or none. When the files could not be read or written (but not
// for a full disk), the records are planned again from the files as they are then and written once
// more.
DefinitionSetResult ApplyPlannedUpdate(const std::vector<DefinitionUpdateRecord>& records,
                                       DefinitionUpdatePlan& plan,
                                       std::optional<std::string_view> dateText,
                                       const UpdateStatus& showStatus);

// What the definitions check returns when it did not update the definitions: no whole, believable
// answer from the server or a package that changes nothing or cannot be applied; no room on the
// disk for the new files; the user's Cancel.
inline constexpr std::int32_t kDefinitionUpdateFailed = -1;
inline constexpr std::int32_t kDefinitionUpdateDiskFull = -2;
inline constexpr std::int32_t kDefinitionUpdateCancelled = -3;
