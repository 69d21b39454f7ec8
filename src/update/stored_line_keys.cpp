#include "update/stored_line_keys.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

#include "foundation/line_codec.h"
#include "platform/text_case.h"
#include "platform/text_encoding.h"

namespace {

// Every character of Windows-1252, in either case, takes at most three bytes in UTF-8.
constexpr std::size_t kMaxCharacterBytes = 3;

// A stored byte's decoded, lower-cased character as UTF-8: its first size bytes. Copied whole,
// size and all (quicker than copying just its length), into a key buffer with room for that.
struct KeyCharacter {
    std::array<char, kMaxCharacterBytes> bytes{};
    std::uint8_t size = 0;
};
using KeyCharacters = std::array<KeyCharacter, 256>;

// Decoding and lower-casing map one character at a time, so the table is made with the very
// functions a whole line would go through.
KeyCharacters MakeKeyCharacters() {
    KeyCharacters characters;
    for (std::size_t byte = 0; byte < characters.size(); ++byte) {
        const std::string stored(1, static_cast<char>(byte));
        const std::string key = platform::ToLowerText(DecodeStoredLine(stored));
        std::memcpy(characters[byte].bytes.data(), key.data(),
                    std::min(key.size(), kMaxCharacterBytes));
        characters[byte].size = static_cast<std::uint8_t>(key.size());
    }
    return characters;
}

}  // namespace

std::string_view StoredLineKeys::LowerKeyOf(std::string_view storedLine) {
    static const char encodedEquals = platform::Utf8ToWindows1252(EncodeLine("="))[0];
    return LowerTextOf(storedLine.substr(0, storedLine.find(encodedEquals)));
}

std::string_view StoredLineKeys::LowerKeyOfDefinition(std::string_view definition) {
    return LowerTextOf(platform::Utf8ToWindows1252(definition.substr(0, definition.find('='))));
}

std::string_view StoredLineKeys::LowerTextOf(std::string_view stored) {
    static const KeyCharacters keyCharacters = MakeKeyCharacters();
    // Only grown: a key that fits the buffer writes into it without clearing it first.
    const std::size_t room = stored.size() * kMaxCharacterBytes + sizeof(KeyCharacter);
    if (key_.size() < room) {
        key_.resize(room);
    }
    char* out = key_.data();
    for (const char byte : stored) {
        const KeyCharacter& character = keyCharacters[static_cast<unsigned char>(byte)];
        std::memcpy(out, &character, sizeof character);
        out += character.size;
    }
    return std::string_view(key_.data(), static_cast<std::size_t>(out - key_.data()));
}
