#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/text_lines.h"

// Small text procedures on Windows paths and raw file text.

// The text without the blanks (spaces only) around it.
using platform::TrimBlanks;

// Replaces every occurrence of find, left to right, once: text that a replacement brings together
// is not looked at again (replacing "\\" by "\" in "\\\" gives "\\"). An empty find changes
// nothing.
std::string ReplaceEachOnce(std::string_view text, std::string_view find,
                            std::string_view replacement);

// The pieces of text between the separators: one more than there are separators, so an empty text
// gives one empty piece.
std::vector<std::string_view> SplitAt(std::string_view text, char separator);

// The part after the last "\" (the whole text when it holds none).
std::string GetFileNameFromPath(std::string_view path);

// The text after the last "." of the file name, lower-cased and without surrounding blanks; empty
// when a ":" or "\" comes first walking back from the end, or when there is no ".".
std::string GetFileExtension(std::string_view path);

// The text up to its first NUL, then the part of that after its last "\" (for fixed-size buffers
// that the system fills with a path).
std::string ExtractFileName(std::string_view text);

// Bits 16-31 and bits 0-15 of a 32-bit value, each as a signed 16-bit number.
std::int16_t HiWordOf(std::uint32_t value);
std::int16_t LoWordOf(std::uint32_t value);

// Replaces the first occurrence of find again and again until none is left, so occurrences that a
// replacement brings together are replaced too. An empty find leaves the text unchanged; so that a
// replacement holding find cannot loop forever, each occurrence is then replaced once.
std::string ReplaceAll(std::string_view text, std::string_view find, std::string_view replacement);

// The byte pattern of a key in a version resource: the type word's low byte 1, then each
// Windows-1252 character of text preceded by a NUL (the key in UTF-16LE, offset by one byte). The
// result is raw bytes, for searching raw file contents.
std::string ToWideByteString(std::string_view text);
