#pragma once

#include <optional>
#include <string>
#include <string_view>

// Text in hive files: between quotes (names, string data) or brackets (key paths), with
// backslash escapes for the quote characters, the backslash, control characters (\n, \t, \0, octal)
// and every character beyond ASCII (\xNNNN, one UTF-16 code unit each).
namespace platform {

struct UnescapedText {
    std::u16string text;
    std::size_t end = 0;  // the position just after the closing terminator
};

// Reads escaped text from start up to the first unescaped terminator. Bytes beyond ASCII that
// stand unescaped are read as UTF-8 (a stray byte as its Latin-1 character). Nothing, with *error
// set, for a bad escape or a missing terminator.
std::optional<UnescapedText> UnescapeHiveText(std::string_view line, std::size_t start,
                                              char terminator, std::string* error);

// Writes text with escapes, the characters of specials escaped too (the quote, or the brackets).
std::string EscapeHiveText(std::u16string_view text, std::string_view specials);

}  // namespace platform
