#pragma once

#include <string>
#include <string_view>

// Hive files store text as UTF-16 code units; the program keeps UTF-8. A lone surrogate (which
// Windows allows in names and data) is carried through UTF-8 as its own three-byte form, so text
// read from a hive goes back unchanged.
namespace platform {

// A byte that starts no valid UTF-8 sequence counts as the Latin-1 character of the same value.
std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);

}  // namespace platform
