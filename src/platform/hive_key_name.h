#pragma once

#include <string_view>

// Key and value names match without letter case, as Windows matches them.
namespace platform {

// The upper-case form used for matching (Latin, Greek and Cyrillic letters).
char32_t FoldNameCase(char32_t codePoint);

bool NamesEqual(std::string_view a, std::string_view b);

// Orders names as the hive lists sibling keys: by their folded characters.
int CompareNames(std::string_view a, std::string_view b);

}  // namespace platform
