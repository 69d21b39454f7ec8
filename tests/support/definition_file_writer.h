#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace test_support {

// Writes a definition file into a program folder as the server sends it: each line encoded, as
// 8-bit text, ended by CR LF.
void WriteEncodedDefinitions(const std::filesystem::path& programFolder, std::string_view fileName,
                             const std::vector<std::string>& lines);

// Writes the five definition files a scan needs where they are missing, empty.
void WriteMissingDefinitionFiles(const std::filesystem::path& programFolder);

}  // namespace test_support
