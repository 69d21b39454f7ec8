#include "platform/text_encoding.h"

#include <array>

namespace platform {
namespace {

constexpr char32_t kReplacementCharacter = 0xFFFD;

// Bytes 0x80-0x9F, where Windows-1252 departs from Latin-1. The five undefined bytes map to the C1
// control characters of the same value so the mapping stays a bijection.
constexpr std::array<char32_t, 32> kHighControlRange = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

bool IsContinuationByte(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

bool IsUnicodeScalar(char32_t character) {
    return character <= 0x10FFFF && !(character >= 0xD800 && character <= 0xDFFF);
}

// What a lead byte says about its sequence; length 0 marks a byte that cannot start one.
struct SequenceShape {
    std::size_t length;
    unsigned char leadBits;
    char32_t smallest;  // anything below this is an overlong form
};

SequenceShape ShapeOfSequence(unsigned char lead) {
    if (lead < 0x80) {
        return {1, 0x7F, 0};
    }
    if ((lead & 0xE0) == 0xC0) {
        return {2, 0x1F, 0x80};
    }
    if ((lead & 0xF0) == 0xE0) {
        return {3, 0x0F, 0x800};
    }
    if ((lead & 0xF8) == 0xF0) {
        return {4, 0x07, 0x10000};
    }
    return {0, 0, 0};
}

// The code of the character that starts at text[pos], "?" for one outside the code page; moves pos
// past it. ASCII and the upper half of Latin-1, most of an encoded definition, are decoded here
// without a call.
std::uint8_t NextWindows1252Code(std::string_view text, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    if (lead < 0x80) {
        ++pos;
        return lead;
    }
    if ((lead & 0xFE) == 0xC2 && pos + 1 < text.size()) {  // U+0080 to U+00FF
        const auto next = static_cast<unsigned char>(text[pos + 1]);
        const unsigned code = (lead & 0x1Fu) << 6 | (next & 0x3Fu);
        if (IsContinuationByte(next) && code >= 0xA0) {
            pos += 2;
            return static_cast<std::uint8_t>(code);
        }
    }
    return Windows1252CodeOf(NextUtf8Character(text, pos)).value_or('?');
}

}  // namespace

char32_t CharacterOfWindows1252Code(std::uint8_t code) {
    if (code >= 0x80 && code <= 0x9F) {
        return kHighControlRange[code - 0x80];
    }
    return code;
}

std::optional<std::uint8_t> Windows1252CodeOf(char32_t character) {
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF)) {
        return static_cast<std::uint8_t>(character);
    }
    for (std::size_t i = 0; i < kHighControlRange.size(); ++i) {
        if (kHighControlRange[i] == character) {
            return static_cast<std::uint8_t>(0x80 + i);
        }
    }
    return std::nullopt;
}

// Both conversions size their result first and then write it in place: whole files go through
// them a character at a time.
std::string Windows1252ToUtf8(std::string_view bytes) {
    std::size_t length = 0;
    for (char byte : bytes) {
        const char32_t character = CharacterOfWindows1252Code(static_cast<std::uint8_t>(byte));
        length += character < 0x80 ? 1 : character < 0x800 ? 2 : 3;
    }
    std::string text(length, '\0');
    char* out = text.data();
    for (char byte : bytes) {
        out += WriteUtf8(CharacterOfWindows1252Code(static_cast<std::uint8_t>(byte)), out);
    }
    return text;
}

std::string Utf8ToWindows1252(std::string_view text) {
    std::string bytes(text.size(), '\0');  // never more bytes than characters
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < text.size();) {
        bytes[count++] = static_cast<char>(NextWindows1252Code(text, pos));
    }
    bytes.resize(count);
    return bytes;
}

char32_t NextUtf8Character(std::string_view text, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    const auto shape = ShapeOfSequence(lead);
    if (shape.length == 1) {
        ++pos;
        return lead;
    }
    if (shape.length == 0 || pos + shape.length > text.size()) {
        ++pos;
        return kReplacementCharacter;
    }
    char32_t character = lead & shape.leadBits;
    for (std::size_t i = 1; i < shape.length; ++i) {
        const auto byte = static_cast<unsigned char>(text[pos + i]);
        if (!IsContinuationByte(byte)) {
            ++pos;
            return kReplacementCharacter;
        }
        character = (character << 6) | (byte & 0x3F);
    }
    if (character < shape.smallest || !IsUnicodeScalar(character)) {
        ++pos;  // overlong forms and surrogates are not text
        return kReplacementCharacter;
    }
    pos += shape.length;
    return character;
}

std::u32string DecodeUtf8(std::string_view text) {
    std::u32string characters;
    characters.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        characters.push_back(NextUtf8Character(text, pos));
    }
    return characters;
}

std::size_t WriteUtf8(char32_t character, char* out) {
    if (!IsUnicodeScalar(character)) {
        character = kReplacementCharacter;
    }
    if (character < 0x80) {
        out[0] = static_cast<char>(character);
        return 1;
    }
    if (character < 0x800) {
        out[0] = static_cast<char>(0xC0 | (character >> 6));
        out[1] = static_cast<char>(0x80 | (character & 0x3F));
        return 2;
    }
    if (character < 0x10000) {
        out[0] = static_cast<char>(0xE0 | (character >> 12));
        out[1] = static_cast<char>(0x80 | ((character >> 6) & 0x3F));
        out[2] = static_cast<char>(0x80 | (character & 0x3F));
        return 3;
    }
    out[0] = static_cast<char>(0xF0 | (character >> 18));
    out[1] = static_cast<char>(0x80 | ((character >> 12) & 0x3F));
    out[2] = static_cast<char>(0x80 | ((character >> 6) & 0x3F));
    out[3] = static_cast<char>(0x80 | (character & 0x3F));
    return 4;
}

void AppendUtf8(std::string& out, char32_t character) {
    char bytes[kMaxUtf8Length];
    out.append(bytes, WriteUtf8(character, bytes));
}

std::string EncodeUtf8(std::u32string_view characters) {
    std::string text;
    text.reserve(characters.size());
    for (char32_t character : characters) {
        AppendUtf8(text, character);
    }
    return text;
}

}  // namespace platform
