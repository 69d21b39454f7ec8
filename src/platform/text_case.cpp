#include "platform/text_case.h"

#include <cstddef>
#include <cstdint>

#include "platform/text_encoding.h"

namespace platform {
namespace {

// Upper-case letters first..last and the distance to their lower-case forms. In an alternating
// range upper and lower case take turns (upper at first, lower right after it).
struct CaseRange {
    char32_t first;
    char32_t last;
    std::int32_t toLower;
    bool alternating;
};

constexpr CaseRange kCaseRanges[] = {
    {U'A', U'Z', 0x20, false},
    {0x00C0, 0x00D6, 0x20, false},  // Latin-1 letters, around the multiplication sign
    {0x00D8, 0x00DE, 0x20, false},
    {0x0100, 0x012E, 1, true},  // Latin Extended-A
    {0x0132, 0x0136, 1, true},
    {0x0139, 0x0147, 1, true},
    {0x014A, 0x0176, 1, true},
    {0x0179, 0x017D, 1, true},
    {0x0178, 0x0178, 0x00FF - 0x0178, false},  // Y with diaeresis lives in Latin-1 in lower case
    {0x0191, 0x0191, 1, false},                // f with hook
    {0x0386, 0x0386, 0x03AC - 0x0386, false},  // Greek with tonos
    {0x0388, 0x038A, 0x03AD - 0x0388, false},
    {0x038C, 0x038C, 0x03CC - 0x038C, false},
    {0x038E, 0x038F, 0x03CD - 0x038E, false},
    {0x0391, 0x03A1, 0x20, false},  // Greek
    {0x03A3, 0x03AB, 0x20, false},
    {0x0400, 0x040F, 0x50, false},  // Cyrillic
    {0x0410, 0x042F, 0x20, false},
};

constexpr char32_t kReplacementCharacter = 0xFFFD;
constexpr char32_t kFinalSigma = 0x03C2;
constexpr char32_t kCapitalSigma = 0x03A3;

// ASCII, most of what the program compares, needs no look at the table.
bool IsAsciiUpper(char32_t character) {
    return character >= U'A' && character <= U'Z';
}

bool IsUpperOf(const CaseRange& range, char32_t character) {
    return character >= range.first && character <= range.last &&
           (!range.alternating || (character - range.first) % 2 == 0);
}

char32_t Shifted(char32_t character, std::int32_t distance) {
    return static_cast<char32_t>(static_cast<std::int64_t>(character) + distance);
}

// The text with each character mapped. Every mapping keeps the UTF-8 length of its character, so
// the result starts as a copy and only the characters that change are written over; bytes that
// are not UTF-8 stay as they are.
template <typename MapCharacter>
std::string MapCharacters(std::string_view text, MapCharacter map) {
    std::string result(text);
    std::ptrdiff_t grown = 0;  // stays 0 while the mappings keep their lengths
    for (std::size_t pos = 0; pos < text.size();) {
        const auto byte = static_cast<unsigned char>(text[pos]);
        if (byte < 0x80) {
            // Most names are ASCII: a byte maps to a byte, without decoding a sequence.
            result[static_cast<std::size_t>(static_cast<std::ptrdiff_t>(pos) + grown)] =
                static_cast<char>(map(byte));
            ++pos;
            continue;
        }
        const std::size_t start = pos;
        const char32_t character = NextUtf8Character(text, pos);
        const char32_t mapped = character == kReplacementCharacter ? character : map(character);
        if (mapped != character) {
            char bytes[kMaxUtf8Length];
            const std::size_t length = WriteUtf8(mapped, bytes);
            result.replace(static_cast<std::size_t>(static_cast<std::ptrdiff_t>(start) + grown),
                           pos - start, bytes, length);
            grown += static_cast<std::ptrdiff_t>(length) - static_cast<std::ptrdiff_t>(pos - start);
        }
    }
    return result;
}

}  // namespace

char32_t ToLowerCharacter(char32_t character) {
    if (character < 0x80) {
        return IsAsciiUpper(character) ? character + 0x20 : character;
    }
    for (const auto& range : kCaseRanges) {
        if (IsUpperOf(range, character)) {
            return Shifted(character, range.toLower);
        }
    }
    return character;
}

char32_t ToUpperCharacter(char32_t character) {
    if (character < 0x80) {
        return IsAsciiUpper(character - 0x20) ? character - 0x20 : character;
    }
    if (character == kFinalSigma) {
        return kCapitalSigma;
    }
    for (const auto& range : kCaseRanges) {
        const char32_t upper = Shifted(character, -range.toLower);
        if (IsUpperOf(range, upper)) {
            return upper;
        }
    }
    return character;
}

std::string ToUpperText(std::string_view text) {
    return MapCharacters(text, [](char32_t character) { return ToUpperCharacter(character); });
}

std::string ToLowerText(std::string_view text) {
    return MapCharacters(text, [](char32_t character) { return ToLowerCharacter(character); });
}

std::string UpperCaseFirstCharacter(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    std::size_t firstLength = 0;
    NextUtf8Character(text, firstLength);
    return ToUpperText(text.substr(0, firstLength)) + std::string(text.substr(firstLength));
}

bool EqualsIgnoringCase(std::string_view left, std::string_view right) {
    if (left.size() != right.size()) {
        return false;
    }
    // ASCII byte by byte, without copies; from the first other byte on through the lower-case
    // forms (an ASCII prefix is whole characters, so the rest lowers the same on its own).
    for (std::size_t pos = 0; pos < left.size(); ++pos) {
        const auto l = static_cast<unsigned char>(left[pos]);
        const auto r = static_cast<unsigned char>(right[pos]);
        if (l >= 0x80 || r >= 0x80) {
            return ToLowerText(left.substr(pos)) == ToLowerText(right.substr(pos));
        }
        if (ToLowerCharacter(l) != ToLowerCharacter(r)) {
            return false;
        }
    }
    return true;
}

std::size_t FindIgnoringCase(std::string_view text, std::string_view find, std::size_t from) {
    if (from > text.size()) {
        return std::string_view::npos;
    }
    return ToLowerText(text).find(ToLowerText(find), from);
}

}  // namespace platform
