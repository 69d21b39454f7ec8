#include "foundation/exclusion_list.h"

#include <vector>

#include "forms/host.h"
#include "foundation/file_queries.h"
#include "foundation/globals.h"
#include "foundation/path_text.h"
#include "foundation/program_error.h"
#include "foundation/program_folder.h"
#include "platform/machine.h"
#include "platform/text_case.h"
#include "platform/text_encoding.h"

namespace {

// The pieces of gExclusionList split at "|": the entries and one empty piece after them; none for
// an empty list.
std::vector<std::string_view> ExclusionPieces() {
    return gExclusionList.empty() ? std::vector<std::string_view>{} : SplitAt(gExclusionList, '|');
}

bool MatchesExclusion(std::string_view item, bool alsoInside) {
    const std::string upperItem = platform::ToUpperText(item);
    const std::string upperTrimmed = platform::ToUpperText(TrimBlanks(item));
    for (const std::string_view piece : ExclusionPieces()) {
        const std::string upperPiece = platform::ToUpperText(piece);
        if (upperPiece == upperItem || upperPiece == upperTrimmed ||
            (alsoInside && upperPiece.find(upperItem) != std::string::npos)) {
            return true;
        }
    }
    return false;
}

// The new content of the file: the old one, a line end when its last line has none (so the item
// does not run on into it), the item and CR LF.
std::string WithLineAdded(std::string bytes, std::string_view item) {
    if (!bytes.empty() && bytes.back() != '\n') {
        bytes += "\r\n";
    }
    return bytes.append(platform::Utf8ToWindows1252(item)).append("\r\n");
}

}  // namespace

std::string ExclusionFilePath() {
    return ProgramFolderFile(kExclusionFileName);
}

bool AddExclusion(std::string_view item) {
    const platform::Files& files = platform::CurrentMachine().files();
    const std::string path = ExclusionFilePath();
    std::string bytes;
    if (const long status = files.ReadBytes(path, &bytes);
        status != platform::ERROR_SUCCESS && status != platform::ERROR_FILE_NOT_FOUND) {
        return false;
    }
    if (files.ReplaceBytes(path, WithLineAdded(bytes, TrimBlanks(item))) !=
        platform::ERROR_SUCCESS) {
        return false;
    }
    try {
        LoadExclusions();
    } catch (const ProgramError&) {
        return false;
    }
    return true;
}

void LoadExclusions() {
    gExclusionList.clear();
    const std::string path = ExclusionFilePath();
    if (!FileExists(path)) {
        return;
    }
    std::vector<std::string> lines;
    if (platform::CurrentMachine().files().ReadTextLines(path, &lines) != platform::ERROR_SUCCESS) {
        throw ProgramError(kErrorPathFileAccess, "LoadExclusions",
                           "Path/File access error: " + path);
    }
    for (const std::string& line : lines) {
        if (!TrimBlanks(line).empty()) {
            gExclusionList.append(line).append("|");
        }
        forms::DoEvents();
    }
}

bool IsExcluded(std::string_view item) {
    return MatchesExclusion(item, false);
}

bool IsExcludedPath(std::string_view item) {
    return MatchesExclusion(item, true);
}
