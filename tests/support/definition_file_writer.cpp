#include "support/definition_file_writer.h"

#include "foundation/definition_files.h"
#include "foundation/line_codec.h"
#include "platform/text_encoding.h"
#include "support/temporary_folder.h"

namespace test_support {

void WriteEncodedDefinitions(const std::filesystem::path& programFolder, std::string_view fileName,
                             const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) {
        bytes += platform::Utf8ToWindows1252(EncodeLine(line)) + "\r\n";
    }
    WriteHostFile(programFolder / fileName, bytes);
}

void WriteMissingDefinitionFiles(const std::filesystem::path& programFolder) {
    for (const std::string_view fileName :
         {kFileDefinitionFile, kRegistryDefinitionFile, kExeDefinitionFile, kBlockedCookiesFile,
          kDirectoryDefinitionFile}) {
        if (!std::filesystem::exists(programFolder / fileName)) {
            WriteEncodedDefinitions(programFolder, fileName, {});
        }
    }
}

}  // namespace test_support
