#include "engine/memory_matching.h"

#include "foundation/path_text.h"
#include "platform/text_case.h"

namespace {

constexpr std::string_view kLineEnd = "\r\n";

// The text of the line that holds position at, from at to the line's end.
std::string_view RestOfLine(std::string_view lines, std::size_t at) {
    const std::string_view rest = lines.substr(at);
    return rest.substr(0, rest.find(kLineEnd));
}

bool IsProgramNameOfSomeRecord(std::string_view upperLines, std::string_view upperName) {
    while (!upperLines.empty()) {
        const std::size_t end = upperLines.find(kLineEnd);
        const std::string_view line = upperLines.substr(0, end);
        if (TrimBlanks(line.substr(0, line.find('='))) == upperName) {
            return true;
        }
        upperLines.remove_prefix(end == std::string_view::npos ? upperLines.size()
                                                               : end + kLineEnd.size());
    }
    return false;
}

}  // namespace

std::string ProgramRecordPath(const ProgramRecord& record, FolderTokenExpander& tokens) {
    const std::string folder = ExpandRecordTokens(record.folder, tokens);
    return ReplaceEachOnce(folder + "\\" + record.fileName, "\\\\", "\\");
}

void AddToModulePathCache(std::string& cache, std::string_view path) {
    if (cache.empty()) {
        cache = "|";
    }
    cache.append(path).append("|");
}

bool IsInModulePathCache(std::string_view cache, std::string_view path) {
    const std::string entry = "|" + std::string(path) + "|";
    return cache.find(entry) != std::string_view::npos;
}

ModulePathIndex::ModulePathIndex(std::string_view cache) {
    const std::vector<std::string_view> pieces = SplitAt(cache, '|');
    for (std::size_t piece = 1; piece + 1 < pieces.size(); ++piece) {
        entries_.insert(pieces[piece]);
    }
}

// "|" + path + "|" stands in the cache exactly where the path is one of the pieces between two of
// its "|"s; a path holding a "|" itself is looked for in the text.
bool ModulePathIndex::Contains(std::string_view cache, std::string_view path) const {
    if (path.find('|') != std::string_view::npos) {
        return IsInModulePathCache(cache, path);
    }
    return entries_.contains(path);
}

bool IsListedProgramName(std::string_view upperLines, std::string_view upperName) {
    if (upperName.empty()) {
        return false;
    }
    const std::size_t first = upperLines.find(upperName);
    if (first != std::string_view::npos && TrimBlanks(RestOfLine(upperLines, first)) == upperName) {
        return true;
    }
    return IsProgramNameOfSomeRecord(upperLines, upperName);
}
