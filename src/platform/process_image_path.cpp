#include "platform/process_image_path.h"

#include <algorithm>
#include <cctype>
#include <iterator>
#include <optional>

#include "platform/text_case.h"
#include "platform/text_lines.h"

namespace platform {
namespace {

constexpr std::string_view kExeSuffix = ".exe";
constexpr std::string_view kDeletedMark = " (deleted)";
constexpr std::string_view kWineNtdll = "ntdll.dll";
// Wine gives its own programs this folder, wherever it keeps their files on the host.
constexpr std::string_view kWineSystemFolder = "C:\\windows\\system32";
// The kernel keeps this many characters of a process name.
constexpr std::size_t kCommLength = 15;

bool EndsWithNoCase(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() &&
           EqualsIgnoringCase(text.substr(text.size() - suffix.size()), suffix);
}

constexpr std::string_view kBlanks = " \t";

bool IsBlank(char c) {
    return kBlanks.find(c) != std::string_view::npos;
}

std::string_view AfterLast(std::string_view text, char separator) {
    const auto at = text.rfind(separator);
    return at == std::string_view::npos ? text : text.substr(at + 1);
}

std::string_view BeforeLast(std::string_view text, char separator) {
    return text.substr(0, text.rfind(separator));
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

// The host paths of the files mapped into a process, in the order the maps text names them, each
// once.
std::vector<std::string> MappedFiles(std::string_view maps) {
    std::vector<std::string> paths;
    while (!maps.empty()) {
        const auto lineEnd = maps.find('\n');
        const std::string_view line = maps.substr(0, lineEnd);
        maps.remove_prefix(lineEnd == std::string_view::npos ? maps.size() : lineEnd + 1);

        std::string path = WithoutDeletedMark(MappedPath(line));
        if (path.starts_with('/') && std::ranges::find(paths, path) == paths.end()) {
            paths.push_back(std::move(path));
        }
    }
    return paths;
}

// The host folder Wine keeps its own Windows programs and libraries in: the one its ntdll.dll is
// mapped from. "" when no ntdll.dll is mapped.
std::string_view WineBuiltInFolder(const std::vector<std::string>& mappedFiles) {
    for (const std::string& path : mappedFiles) {
        if (EqualsIgnoringCase(AfterLast(path, '/'), kWineNtdll)) {
            return BeforeLast(path, '/');
        }
    }
    return {};
}

// The kernel's name of a process is its file name cut to 15 characters.
bool NamesTheSameProgram(std::string_view hostPath, std::string_view comm) {
    const std::string_view fileName = AfterLast(hostPath, '/');
    return !comm.empty() && EqualsIgnoringCase(fileName.substr(0, kCommLength), comm);
}

std::vector<std::string> ExeFiles(const std::vector<std::string>& mappedFiles) {
    std::vector<std::string> exeFiles;
    std::copy_if(mappedFiles.begin(), mappedFiles.end(), std::back_inserter(exeFiles),
                 [](const std::string& path) { return EndsWithNoCase(path, kExeSuffix); });
    return exeFiles;
}

// The mapped PE files, the one the process is named after first (its name is asked only when
// there is one).
std::vector<std::string> ImageCandidates(const std::vector<std::string>& mappedFiles,
                                         const std::function<std::string()>& comm) {
    std::vector<std::string> candidates = ExeFiles(mappedFiles);
    if (candidates.empty()) {
        return candidates;
    }
    const std::string name = comm();
    // Not std::ranges: clang 14, which builds the fuzz targets, cannot compile its subrange.
    std::stable_partition(candidates.begin(), candidates.end(),
                          [&](const std::string& path) { return NamesTheSameProgram(path, name); });
    return candidates;
}

// Wine starts its own programs from its folder on the host but gives them a Windows path: the one
// their command line names, else one in the system folder.
std::string BuiltInProgramPath(std::string_view fileName, const std::string& commandLinePath) {
    if (EqualsIgnoringCase(AfterLast(commandLinePath, '\\'), fileName)) {
        return commandLinePath;
    }
    return std::string(kWineSystemFolder) + "\\" + std::string(fileName);
}

}  // namespace

std::string WindowsPathFromCommandLine(std::string_view commandLine) {
    const std::string_view firstString = commandLine.substr(0, commandLine.find('\0'));
    const std::string_view path =
        TrimBlanks(FirstCommandWord(TrimBlanks(firstString, kBlanks)), kBlanks);
    return IsDriveAbsolute(path) ? std::string(path) : std::string();
}

std::vector<std::string> MappedExePaths(std::string_view maps) {
    return ExeFiles(MappedFiles(maps));
}

std::string WindowsProgramPath(const ProcessFacts& facts, const HostToWindowsPath& toWindows) {
    return WindowsProgramPath(
        ProcessReadings{facts.maps, [&] { return facts.comm; }, [&] { return facts.commandLine; }},
        toWindows);
}

std::string WindowsProgramPath(const ProcessReadings& process, const HostToWindowsPath& toWindows) {
    std::optional<std::string> commandLinePath;
    const auto pathOfCommandLine = [&]() -> const std::string& {
        if (!commandLinePath) {
            commandLinePath = WindowsPathFromCommandLine(process.commandLine());
        }
        return *commandLinePath;
    };
    const std::vector<std::string> mappedFiles = MappedFiles(process.maps);
    const std::string_view builtInFolder = WineBuiltInFolder(mappedFiles);
    for (const std::string& hostPath : ImageCandidates(mappedFiles, process.comm)) {
        if (!builtInFolder.empty() && BeforeLast(hostPath, '/') == builtInFolder) {
            return BuiltInProgramPath(AfterLast(hostPath, '/'), pathOfCommandLine());
        }
        std::string windowsPath = toWindows(hostPath);
        if (!windowsPath.empty()) {
            return windowsPath;
        }
    }
    return pathOfCommandLine();
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
