#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The language server keeps the newest language file of each product under
// "/Languages/<program id>/Localization.xml". TOLLENWARK_LANGUAGE_SERVER
// ("http://127.0.0.1:8080") stands in for it, for tests and local servers.

inline constexpr std::string_view kLanguageServerHost = "http://languages.tollenwark.example";

// The server's address without a trailing "/".
std::string LanguageServerAddress();

// The address of the product's language file.
std::string LanguageFileAddress(int programId);

// What a downloaded answer leaves to store as the language file: its bytes from the first "<" on
// (a byte-order mark or other lead-in dropped), followed by CR LF. Nothing when the answer is not a
// whole language file (it lacks "<TRANSLATION_ITEMS>" in any letter case, or fails
// IsWholeLanguageFile, as an error page or a cut-off answer would) or lacks one of the languages
// the user may be using: those of the file it would replace (oldFileText), and English.
std::optional<std::string> LanguageFileFromDownload(std::string_view answer,
                                                    std::string_view oldFileText);
