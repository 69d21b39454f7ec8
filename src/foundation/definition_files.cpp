#include "foundation/definition_files.h"

#include "foundation/definition_set.h"
#include "foundation/file_queries.h"
#include "foundation/globals.h"
#include "foundation/line_codec.h"
#include "foundation/program_error.h"
#include "foundation/program_folder.h"
#include "platform/machine.h"
#include "platform/text_encoding.h"
#include "platform/text_lines.h"

namespace {

const platform::Files& MachineFiles() {
    return platform::CurrentMachine().files();
}

// The stored bytes of a file of the program folder; none when the file is missing.
std::string ReadProgramFileBytes(std::string_view fileName, const char* source) {
    const std::string path = ProgramFolderFile(fileName);
    std::string bytes;
    if (FileExists(path) && MachineFiles().ReadBytes(path, &bytes) != platform::ERROR_SUCCESS) {
        throw ProgramError(kErrorPathFileAccess, source, "Path/File access error: " + path);
    }
    return bytes;
}

// Replaces a definition file by its staged copy, the staged copy going only once its content is in
// place: a failure at any step leaves both files as they were, to be tried at the next start.
void InstallStagedFile(std::string_view fileName) {
    const std::string target = ProgramFolderFile(fileName);
    const std::string staged =
        ProgramFolderFile(std::string(kStagedDefinitionPrefix).append(fileName));
    if (!FileExists(staged)) {
        return;
    }
    std::string content;
    if (MachineFiles().ReadBytes(staged, &content) != platform::ERROR_SUCCESS ||
        MachineFiles().ReplaceBytes(target, content) != platform::ERROR_SUCCESS) {
        return;
    }
    MachineFiles().Delete(staged);
}

}  // namespace

// Decoded from the stored bytes line by line: a scan holds the lines of a whole file, and a copy of
// them as text beside it would double what it holds. A line ends only at CR LF: the codec writes
// "É" as a bare LF and "Ì" as a bare CR, which belong to their record.
std::vector<std::string> ReadDefinitionLines(std::string_view fileName) {
    const std::string bytes = ReadProgramFileBytes(fileName, "ReadDefinitionLines");
    const std::vector<std::string_view> stored = platform::SplitCrLfLineViews(bytes);
    std::vector<std::string> lines;
    lines.reserve(stored.size());
    for (const std::string_view line : stored) {
        lines.push_back(DecodeStoredLine(line));
    }
    return lines;
}

void InstallDownloadedDefinitions() {
    FinishDefinitionSet();
    for (const auto fileName :
         {kBlockedCookiesFile, kRegistryDefinitionFile, kFileDefinitionFile, kExeDefinitionFile}) {
        InstallStagedFile(fileName);
    }
}

std::int32_t CountDefinitions() {
    gCookieDefCount = 0;
    gExeDefCount = 0;
    gRegistryDefCount = 0;
    gFileDefCount = 0;
    const std::pair<std::string_view, std::int32_t*> counted[] = {
        {kBlockedCookiesFile, &gCookieDefCount},       {kExeDefinitionFile, &gExeDefCount},
        {kRegistryDefinitionFile, &gRegistryDefCount}, {kFileDefinitionFile, &gFileDefCount},
        {kDirectoryDefinitionFile, &gFileDefCount},
    };
    std::int32_t total = 0;
    for (const auto& [fileName, counter] : counted) {
        const auto lines = static_cast<std::int32_t>(
            platform::CountCrLfLines(ReadProgramFileBytes(fileName, "CountDefinitions")));
        *counter += lines;
        total += lines;
    }
    return total;
}

void SaveDefinitionsDate(std::string_view text) {
    MachineFiles().ReplaceTextLines(ProgramFolderFile(kDefinitionsDateFile), {std::string(text)});
}

std::string LoadDefinitionsDate() {
    if (!FileExists(ProgramFolderFile(kDefinitionsDateFile))) {
        return std::string(kDefaultDefinitionsDate);
    }
    const std::string bytes = ReadProgramFileBytes(kDefinitionsDateFile, "LoadDefinitionsDate");
    const auto lines = platform::SplitTextLineViews(bytes);
    if (lines.empty()) {
        throw ProgramError(kErrorInputPastEndOfFile, "LoadDefinitionsDate",
                           "Input past end of file: " + ProgramFolderFile(kDefinitionsDateFile));
    }
    return platform::Windows1252ToUtf8(lines.front());
}
