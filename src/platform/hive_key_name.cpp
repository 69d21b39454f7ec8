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
    // Folding keeps each character's length, so names of other lengths differ; ASCII is folded
    // in place.
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto left = static_cast<unsigned char>(a[i]);
        const auto right = static_cast<unsigned char>(b[i]);
        if (left >= 0x80 || right >= 0x80) {
            return CompareNames(a.substr(i), b.substr(i)) == 0;
        }
        if (ToUpperCharacter(left) != ToUpperCharacter(right)) {
            return false;
        }
    }
    return true;
}

}  // namespace platform
