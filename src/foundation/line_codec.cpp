#include "foundation/line_codec.h"

#include <cstdint>
#include <optional>

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

// Every definition line of a scan passes through here, and a scan keeps its lines: the characters
// are written into a scratch buffer with room for the longest outcome (each character becomes at
// most three bytes), and the result takes only the bytes written.
template <typename NextCode>
std::string ShiftEachCharacter(std::size_t length, NextCode nextCode, int (*shift)(int)) {
    constexpr std::size_t kMaxBytesPerCharacter = 3;
    thread_local std::string scratch;
    if (scratch.size() < length * kMaxBytesPerCharacter) {
        scratch.resize(length * kMaxBytesPerCharacter);
    }
    char* const start = scratch.data();
    char* out = start;
    while (const std::optional<int> code = nextCode()) {
        const auto shifted = static_cast<std::uint8_t>(shift(*code));
        out += platform::WriteUtf8(platform::CharacterOfWindows1252Code(shifted), out);
    }
    return std::string(start, out);
}

// The codes of text's characters, "?" standing for one outside Windows-1252.
std::string ShiftText(std::string_view text, int (*shift)(int)) {
    std::size_t pos = 0;
    const auto nextCode = [&]() -> std::optional<int> {
        if (pos == text.size()) {
            return std::nullopt;
        }
        return platform::Windows1252CodeOf(platform::NextUtf8Character(text, pos)).value_or('?');
    };
    return ShiftEachCharacter(text.size(), nextCode, shift);
}

}  // namespace

std::string EncodeLine(std::string_view text) {
    return ShiftText(text, EncodedCode);
}

std::string DecodeLine(std::string_view text) {
    return ShiftText(text, DecodedCode);
}

std::string DecodeStoredLine(std::string_view bytes) {
    std::size_t pos = 0;
    const auto nextCode = [&]() -> std::optional<int> {
        if (pos == bytes.size()) {
            return std::nullopt;
        }
        return static_cast<std::uint8_t>(bytes[pos++]);  // a stored byte is its own code
    };
    return ShiftEachCharacter(bytes.size(), nextCode, DecodedCode);
}
