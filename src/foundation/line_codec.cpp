#include "foundation/line_codec.h"

#include <cstdint>

#include "platform/text_encoding.h"

namespace {

constexpr int kShift = 64;
constexpr int kWrap = 255;  // not 256: the stored files depend on it

int EncodedCode(int code) {
    const int shifted = code + kShift;
    return shifted > 255 ? shifted - kWrap : shifted;
}

int DecodedCode(int code) {
    const int shifted = code - kShift;
    return shifted < 0 ? shifted + kWrap : shifted;
}

std::string ShiftEachCharacter(std::string_view text, int (*shift)(int)) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const char32_t character = platform::NextUtf8Character(text, pos);
        const int code = platform::Windows1252CodeOf(character).value_or('?');
        const auto shifted = static_cast<std::uint8_t>(shift(code));
        platform::AppendUtf8(result, platform::CharacterOfWindows1252Code(shifted));
    }
    return result;
}

}  // namespace

std::string EncodeLine(std::string_view text) {
    return ShiftEachCharacter(text, EncodedCode);
}

std::string DecodeLine(std::string_view text) {
    return ShiftEachCharacter(text, DecodedCode);
}
