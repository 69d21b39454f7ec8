#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Text inside the program is UTF-8. Files, registry data and HTTP bodies that hold "8-bit text" are
// Windows-1252 bytes; these functions convert at that boundary.
//
// The mapping is a bijection over all 256 byte values: the five bytes Windows-1252 leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for U+0081, U+008D, U+008F, U+0090 and U+009D, so any byte
// sequence read from disk survives a round trip through the program's text unchanged.
namespace platform {

// The character that a Windows-1252 byte stands for.
char32_t CharacterOfWindows1252Code(std::uint8_t code);

// The Windows-1252 byte of a character, or nothing when the code page has no such character.
std::optional<std::uint8_t> Windows1252CodeOf(char32_t character);

// Windows-1252 bytes -> UTF-8 text. Never fails.
std::string Windows1252ToUtf8(std::string_view bytes);

// UTF-8 text -> Windows-1252 bytes. A character the code page cannot hold (and every byte that is
// not valid UTF-8) becomes "?", as the system's own conversion to the code page does.
std::string Utf8ToWindows1252(std::string_view text);

// UTF-8 <-> code points. Invalid or truncated UTF-8 sequences decode as U+FFFD, one per bad byte.
std::u32string DecodeUtf8(std::string_view text);
void AppendUtf8(std::string& out, char32_t character);

inline constexpr std::size_t kMaxUtf8Length = 4;

// Writes the UTF-8 bytes of a character (U+FFFD for what is not a character) at out, which has room
// for kMaxUtf8Length; the number written.
std::size_t WriteUtf8(char32_t character, char* out);
std::string EncodeUtf8(std::u32string_view characters);

// Decodes the character that starts at text[pos] and moves pos past it (U+FFFD for a bad byte).
char32_t NextUtf8Character(std::string_view text, std::size_t& pos);

}  // namespace platform
