#pragma once

#include <string>
#include <string_view>

// Letter case of UTF-8 text, as the program compares names "without regard to case": ASCII, the
// Latin letters of Windows-1252 and Latin Extended-A, Greek and Cyrillic. Every mapping keeps the
// UTF-8 length of the character, so a position found in a case-folded copy is the same position in
// the original text.
namespace platform {

char32_t ToUpperCharacter(char32_t character);
char32_t ToLowerCharacter(char32_t character);

std::string ToUpperText(std::string_view text);
std::string ToLowerText(std::string_view text);

// The text with only its first character upper-cased.
std::string UpperCaseFirstCharacter(std::string_view text);

bool EqualsIgnoringCase(std::string_view left, std::string_view right);

// The byte position of the first occurrence of find at or after from, compared without case;
// npos when there is none. An empty find is found at from.
std::size_t FindIgnoringCase(std::string_view text, std::string_view find, std::size_t from = 0);

}  // namespace platform
