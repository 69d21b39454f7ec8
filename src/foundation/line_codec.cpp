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

// Every definition line of a scan passes through here: the result is written into a buffer with
// room for the longest outcome (each character becomes at most three bytes) and then cut.
std::string ShiftEachCharacter(std::string_view text, int (*shift)(int)) {
    constexpr std::size_t kMaxBytesPerCharacter = 3;
    std::string result(text.size() * kMaxBytesPerCharacter, '\0');
    char* out = result.data();
    for (std::size_t pos = 0; pos < text.size();) {
        const char32_t character = platform::NextUtf8Character(text, pos);
        const int code = platform::Windows1252CodeOf(character).value_or('?');
        const auto shifted = static_cast<std::uint8_t>(shift(code));
        out += platform::WriteUtf8(platform::CharacterOfWindows1252Code(shifted), out);
    }
    result.resize(static_cast<std::size_t>(out - result.data()));
    return result;
}

}  // namespace

std::string EncodeLine(std::string_view text) {
    return ShiftEachCharacter(text, EncodedCode);
}

std::string DecodeLine(std::string_view text) {
    return ShiftEachCharacter(text, DecodedCode);
}
