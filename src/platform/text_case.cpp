#include "platform/text_case.h"

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

bool IsUpperOf(const CaseRange& range, char32_t character) {
    return character >= range.first && character <= range.last &&
           (!range.alternating || (character - range.first) % 2 == 0);
}

char32_t Shifted(char32_t character, std::int32_t distance) {
    return static_cast<char32_t>(static_cast<std::int64_t>(character) + distance);
}

template <typename MapCharacter>
std::string MapCharacters(std::string_view text, MapCharacter map) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t start = pos;
        const char32_t character = NextUtf8Character(text, pos);
        if (character == kReplacementCharacter) {
            // Bytes that are not UTF-8 stay as they are.
            result.append(text.substr(start, pos - start));
        } else {
            AppendUtf8(result, map(character));
        }
    }
    return result;
}

}  // namespace

char32_t ToLowerCharacter(char32_t character) {
    for (const auto& range : kCaseRanges) {
        if (IsUpperOf(range, character)) {
            return Shifted(character, range.toLower);
        }
    }
    return character;
}

char32_t ToUpperCharacter(char32_t character) {
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
    return MapCharacters(text, ToUpperCharacter);
}

std::string ToLowerText(std::string_view text) {
    return MapCharacters(text, ToLowerCharacter);
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
    return left.size() == right.size() && ToLowerText(left) == ToLowerText(right);
}

std::size_t FindIgnoringCase(std::string_view text, std::string_view find, std::size_t from) {
    if (from > text.size()) {
        return std::string_view::npos;
    }
    return ToLowerText(text).find(ToLowerText(find), from);
}

}  // namespace platform
