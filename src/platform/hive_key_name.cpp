#include "platform/hive_key_name.h"

#include "platform/hive_utf16.h"

namespace platform {

namespace {

// Latin Extended-A pairs its letters as upper-case then lower-case, except in two runs where
// the upper-case letter sits on the odd code point.
char32_t FoldLatinExtendedA(char32_t c) {
    const bool oddUpperRun = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    if (c == 0x130 || c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F) {
        return c;
    }
    if (oddUpperRun) {
        return (c % 2 == 0) ? c - 1 : c;
    }
    return (c % 2 == 1) ? c - 1 : c;
}

}  // namespace

char32_t FoldNameCase(char32_t c) {
    if (c >= 'a' && c <= 'z') {
        return c - 0x20;
    }
    if (c < 0xE0) {
        return c;
    }
    if (c <= 0xFE) {
        return c == 0xF7 ? c : c - 0x20;
    }
    if (c == 0xFF) {
        return 0x178;
    }
    if (c >= 0x100 && c <= 0x17F) {
        return FoldLatinExtendedA(c);
    }
    if (c >= 0x3B1 && c <= 0x3CB) {
        return c == 0x3C2 ? 0x3A3 : c - 0x20;
    }
    if (c >= 0x430 && c <= 0x44F) {
        return c - 0x20;
    }
    if (c >= 0x450 && c <= 0x45F) {
        return c - 0x50;
    }
    return c;
}

int CompareNames(std::string_view a, std::string_view b) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        const char32_t left = FoldNameCase(NextCodePoint(a, i));
        const char32_t right = FoldNameCase(NextCodePoint(b, j));
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
    return CompareNames(a, b) == 0;
}

}  // namespace platform
