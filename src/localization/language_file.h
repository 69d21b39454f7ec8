#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The language file, Localization.xml in the program folder: any number of language groups, each
// with its name and one translated text per line:
//
//     <LANGUAGE_GROUP xml:lang="de">
//         <LANGUAGE_NAME>German</LANGUAGE_NAME>
//         <TRANSLATION_ITEMS>
//             <FrmMain_cmdScan>Jetzt prüfen</FrmMain_cmdScan>
//         </TRANSLATION_ITEMS>
//     </LANGUAGE_GROUP>
//
// Translators edit it by hand, so it is read with a plain text search that forgives what an XML
// parser would refuse: tag names in any letter case, attributes, texts taken literally (no entity
// decoding, no trimming).

inline constexpr std::string_view kLanguageFileName = "Localization.xml";

// The file's text as UTF-8: a byte-order mark is dropped and bytes that are not UTF-8 become
// U+FFFD, so that no caption ever carries broken text. Nothing when it cannot be read.
std::optional<std::string> ReadLanguageFile(std::string_view path);

// The names of the file's groups, in file order, duplicates included. A group without its closing
// tag ends the list (the text after it cannot be told apart from that group).
std::vector<std::string> LanguageGroupNames(std::string_view fileText);

// The translation items of the first group whose name is language (letter case ignored): the text
// between its "<TRANSLATION_ITEMS>" and "</TRANSLATION_ITEMS>". Nothing when no group of that name
// has both tags.
std::optional<std::string> LanguageGroupItems(std::string_view fileText, std::string_view language);

// The items text cut into lines at every line end (CR LF or a bare LF). The first line is what
// follows "<TRANSLATION_ITEMS>" on its own line, usually empty.
std::vector<std::string> SplitItemLines(std::string_view items);

// The text of the first item line whose tag is key (letter case ignored), exactly as written
// between "<key>" and "</key>". "" when no line holds the key, when its closing tag is not on the
// same line, or when the text is empty.
std::string FindItemText(const std::vector<std::string>& itemLines, std::string_view key);

// Puts the product's names in place of "[ProgramName]", "[CompanyName]" and "[Website]" (in any
// letter case), in that order.
std::string ReplaceIdentityPlaceholders(std::string_view text, std::string_view programName,
                                        std::string_view companyName, std::string_view website);

// Whether the text is a whole language file, as a download must be before it replaces the one in
// use: every language group named and closed (none left open before the next begins), and the
// closing tag of the document's outer element after the last group. A file cut anywhere before
// its end fails.
bool IsWholeLanguageFile(std::string_view fileText);
