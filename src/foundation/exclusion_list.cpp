#include "foundation/exclusion_list.h"

#include <vector>

#include "forms/host.h"
#include "foundation/globals.h"
#include "foundation/path_text.h"
#include "platform/application.h"
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
    return platform::ProgramFolder() + "\\" + std::string(kExclusionFileName);
}

long AddExclusion(std::string_view item) {
    const platform::Files& files = platform::CurrentMachine().files();
    const std::string path = ExclusionFilePath();
    std::string bytes;
    if (const long status = files.ReadBytes(path, &bytes);
        status != platform::ERROR_SUCCESS && status != platform::ERROR_FILE_NOT_FOUND) {
        return status;
    }
    if (const long status = files.ReplaceBytes(path, WithLineAdded(bytes, TrimBlanks(item)))) {
        return status;
    }
    return LoadExclusions();
}

long LoadExclusions() {
    gExclusionList.clear();
    const platform::Files& files = platform::CurrentMachine().files();
    const std::string path = ExclusionFilePath();
    if (!files.FindFile(path, platform::SearchScope::OrdinaryFiles)) {
        return platform::ERROR_SUCCESS;
    }
    std::vector<std::string> lines;
    if (const long status = files.ReadTextLines(path, &lines)) {
        return status;
    }
    for (const std::string& line : lines) {
        if (!TrimBlanks(line).empty()) {
            gExclusionList.append(line).append("|");
        }
        forms::DoEvents();
    }
    return platform::ERROR_SUCCESS;
}

bool IsExcluded(std::string_view item) {
    return MatchesExclusion(item, false);
}

bool IsExcludedPath(std::string_view item) {
    return MatchesExclusion(item, true);
}
