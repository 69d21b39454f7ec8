#include "platform/hive_key_name.h"

#include "platform/text_case.h"
#include "platform/text_encoding.h"

namespace platform {

int CompareNames(std::string_view a, std::string_view b) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        const char32_t left = ToUpperCharacter(NextUtf8Character(a, i));
        const char32_t right = ToUpperCharacter(NextUtf8Character(b, j));
        if (left != right) {
            return left < right ? -1 : 1;
        }
    }
    if (i < a.size()) {
        return 1;
    }
    return j < b.size() ? -1 : 0;
}

bool NamesEqual(std::string_view a, std::string_view b) {
    // Folding keeps each character's length: names of other lengths differ.
    return a.size() == b.size() && CompareNames(a, b) == 0;
}

}  // namespace platform
