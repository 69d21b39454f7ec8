#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/machine.h"

// Folder tokens: bracketed names in definition and safe-list records ("[windir]", "[appdata]")
// that stand for the machine's special folders, so that one definition file fits every machine.

inline constexpr std::size_t kFolderTokenCount = 30;

// Expands the folder tokens of a machine, looking each folder up at most once in the object's
// life: a scan or a list load keeps one for all its records, so that thousands of records cost a
// few registry look-ups. Folders made or removed meanwhile are seen by a new object only.
class FolderTokenExpander {
  public:
    explicit FolderTokenExpander(platform::Machine& machine = platform::CurrentMachine());

    // Replaces the tokens in their fixed order, each wherever it occurs, by its folder followed by
    // "\"; a token whose folder does not exist is removed. Tokens match without letter case except
    // "[user]" and "[alluser]". "[drive]" is left alone (the record readers replace it).
    std::string Expand(std::string_view path);

    // The value of "[drive]": the system drive root ("C:\").
    const std::string& SystemDriveRoot();

    // The folder of every token whose folder exists, followed by "\" as Expand puts it in.
    std::vector<std::string> TokenFolders();

  private:
    const std::string& TokenFolder(std::size_t index);

    platform::Machine& machine_;
    std::array<std::optional<std::string>, kFolderTokenCount> folders_;
    std::optional<std::string> driveRoot_;
};

// FolderTokenExpander().Expand(path), for single paths.
std::string ExpandFolderTokens(std::string_view path);

// The special folder's path followed by "\" (even when it already ends in one), or "" when the
// machine has no such folder. The folder is never made.
std::string GetSpecialFolderPath(int csidl);

// The special folder's path with "\" appended only when missing; "" when there is no such folder.
std::string GetShellFolderPath(int csidl);

// The system drive root, the value of "[drive]": the first three characters of the user's
// start-menu programs folder ("C:\").
std::string GetSystemDriveRoot();
