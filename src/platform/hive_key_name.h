#pragma once

#include <string_view>

// Key and value names match without letter case, as Windows matches them.
namespace platform {

bool NamesEqual(std::string_view a, std::string_view b);

// Orders names as the hive lists sibling keys: by their folded characters.
int CompareNames(std::string_view a, std::string_view b);

}  // namespace platform
