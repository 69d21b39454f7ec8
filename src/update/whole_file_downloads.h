#pragma once

#include <cstdint>
#include <string_view>

#include "foundation/definition_files.h"

// Downloading a whole definition file from the product website (gDefinitionsBaseURL) into its
// staged copy ("DL" + name), which the next start puts in place.

struct WholeFileDownload {
    std::string_view fileName;    // kRegistryDefinitionFile, ...
    std::string_view statusText;  // shown in the download window while it runs
    std::string_view settingKey;  // under "OptionAndSettings", receives the version on success
};

inline constexpr WholeFileDownload kRegistryDefinitionsDownload = {
    kRegistryDefinitionFile, "Getting Registry Definitions... please wait...",
    "RegistryDefinition"};
inline constexpr WholeFileDownload kFileDefinitionsDownload = {
    kFileDefinitionFile, "Getting File Definitions... please wait...", "FileDefinition"};
inline constexpr WholeFileDownload kExeDefinitionsDownload = {
    kExeDefinitionFile, "Getting Executable Definitions... please wait...", "EXEDefinition"};
inline constexpr WholeFileDownload kCookieDefinitionsDownload = {
    kBlockedCookiesFile, "Getting Cookie Definitions... please wait...", "CookieDefinition"};

// Shows the status text in the download window, yields once, and downloads the file; on success
// the version is stored under the download's setting key, otherwise a critical box says that the
// definitions could not be downloaded.
void DownloadWholeDefinitionFile(const WholeFileDownload& download, std::int32_t version);
