#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

// Applies the package to every definition file and returns the number of changes (see
// DefinitionFileUpdate); missing files are created. The files are replaced only when every one of
// them could be updated, each in one step: a failure (a record that cannot be applied, a file that
// cannot be read or written) leaves every file as it was, and the whole application is tried once
// more before the result is nothing.
std::optional<std::int32_t> TryApplyDefinitionUpdate(std::string_view packageText,
                                                     const UpdateStatus& showStatus);
// The same, with 0 for a package that could not be applied.
std::int32_t ApplyDefinitionUpdate(std::string_view packageText, const UpdateStatus& showStatus);

// What the definitions check returns when the definitions could not be had or stored: no readable
// date from the server, no package, or a package that could not be applied.
inline constexpr std::int32_t kDefinitionUpdateFailed = -1;
