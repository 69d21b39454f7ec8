#include "platform/process_image_path.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "platform/text_case.h"

namespace platform {
namespace {

constexpr std::string_view kExeSuffix = ".exe";
constexpr std::string_view kDeletedMark = " (deleted)";
// The kernel keeps this many characters of a process name.
constexpr std::size_t kCommLength = 15;

bool EndsWithNoCase(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() &&
           EqualsIgnoringCase(text.substr(text.size() - suffix.size()), suffix);
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::string_view AfterLast(std::string_view text, char separator) {
    const auto at = text.rfind(separator);
    return at == std::string_view::npos ? text : text.substr(at + 1);
}

// "C:\..." - a path that names its drive.
bool IsDriveAbsolute(std::string_view path) {
    return path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) &&
           path[1] == ':' && path[2] == '\\';
}

// The end of the first ".exe" that closes a word, or npos.
std::size_t EndOfExeWord(std::string_view text) {
    for (std::size_t at = 0; at + kExeSuffix.size() <= text.size(); ++at) {
        const std::size_t end = at + kExeSuffix.size();
        if (EqualsIgnoringCase(text.substr(at, kExeSuffix.size()), kExeSuffix) &&
            (end == text.size() || IsBlank(text[end]))) {
            return end;
        }
    }
    return std::string_view::npos;
}

// The first word of a command line: a quoted path, a path up to ".exe" (it may hold blanks), or
// the text up to the first blank.
std::string_view FirstCommandWord(std::string_view line) {
    if (line.starts_with('"')) {
        line.remove_prefix(1);
        return line.substr(0, line.find('"'));
    }
    const std::size_t exeEnd = EndOfExeWord(line);
    if (exeEnd != std::string_view::npos) {
        return line.substr(0, exeEnd);
    }
    return line.substr(0, line.find_first_of(" \t"));
}

// The path field of one maps line: what follows address, permissions, offset, device and inode.
std::string_view MappedPath(std::string_view line) {
    for (int field = 0; field < 5; ++field) {
        const auto start = line.find_first_not_of(' ');
        if (start == std::string_view::npos) {
            return {};
        }
        line.remove_prefix(start);
        const auto end = line.find(' ');
        if (end == std::string_view::npos) {
            return {};
        }
        line.remove_prefix(end);
    }
    const auto start = line.find_first_not_of(' ');
    return start == std::string_view::npos ? std::string_view{} : line.substr(start);
}

// The kernel's name of a process is its file name cut to 15 characters.
bool NamesTheSameProgram(std::string_view hostPath, std::string_view comm) {
    const std::string_view fileName = AfterLast(hostPath, '/');
    return !comm.empty() && EqualsIgnoringCase(fileName.substr(0, kCommLength), comm);
}

// The mapped PE files, the one the process is named after first.
std::vector<std::string> ImageCandidates(const ProcessFacts& facts) {
    std::vector<std::string> candidates = MappedExePaths(facts.maps);
    // Not std::ranges: clang 14, which builds the fuzz targets, cannot compile its subrange.
    std::stable_partition(candidates.begin(), candidates.end(), [&](const std::string& path) {
        return NamesTheSameProgram(path, facts.comm);
    });
    return candidates;
}

std::string WineProgramPath(const ProcessFacts& facts, const HostToWindowsPath& toWindows) {
    for (const std::string& hostPath : ImageCandidates(facts)) {
        std::string windowsPath = toWindows(hostPath);
        if (!windowsPath.empty()) {
            return windowsPath;
        }
    }
    return WindowsPathFromCommandLine(facts.commandLine);
}

}  // namespace

bool IsWineProcess(std::string_view exeLink, std::string_view comm) {
    static constexpr std::array<std::string_view, 4> kWineLoaders = {
        "wine", "wine64", "wine-preloader", "wine64-preloader"};
    const std::string_view fileName = AfterLast(exeLink, '/');
    return std::ranges::find(kWineLoaders, fileName) != kWineLoaders.end() ||
           EndsWithNoCase(comm, kExeSuffix);
}

std::string WindowsPathFromCommandLine(std::string_view commandLine) {
    const std::string_view firstString = commandLine.substr(0, commandLine.find('\0'));
    const std::string_view path = TrimBlanks(FirstCommandWord(TrimBlanks(firstString)));
    return IsDriveAbsolute(path) ? std::string(path) : std::string();
}

std::vector<std::string> MappedExePaths(std::string_view maps) {
    std::vector<std::string> paths;
    while (!maps.empty()) {
        const auto lineEnd = maps.find('\n');
        const std::string_view line = maps.substr(0, lineEnd);
        maps.remove_prefix(lineEnd == std::string_view::npos ? maps.size() : lineEnd + 1);

        std::string path = WithoutDeletedMark(MappedPath(line));
        if (path.starts_with('/') && EndsWithNoCase(path, kExeSuffix) &&
            std::ranges::find(paths, path) == paths.end()) {
            paths.push_back(std::move(path));
        }
    }
    return paths;
}

std::string WindowsProgramPath(const ProcessFacts& facts, const HostToWindowsPath& toWindows) {
    if (IsWineProcess(facts.exeLink, facts.comm)) {
        std::string windowsPath = WineProgramPath(facts, toWindows);
        if (!windowsPath.empty()) {
            return windowsPath;
        }
    }
    return facts.exeLink.empty() ? std::string() : toWindows(facts.exeLink);
}

std::string WindowsBaseName(std::string_view windowsPath) {
    return std::string(AfterLast(windowsPath, '\\'));
}

std::string WithoutDeletedMark(std::string_view path) {
    if (path.ends_with(kDeletedMark)) {
        path.remove_suffix(kDeletedMark.size());
    }
    return std::string(path);
}

}  // namespace platform
