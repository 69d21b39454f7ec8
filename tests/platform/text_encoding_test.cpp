#include "platform/text_encoding.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

std::string AllByteValues() {
    std::string bytes;
    for (int code = 0; code < 256; ++code) {
        bytes.push_back(static_cast<char>(code));
    }
    return bytes;
}

std::string ReadFileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

TEST(TextEncoding, EveryByteSurvivesARoundTripThroughAFile) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("tollenwark-bytes-" + std::to_string(::getpid()) + ".dat");
    {
        std::ofstream out(path, std::ios::binary);
        out << AllByteValues();
    }
    const std::string read = ReadFileBytes(path);
    std::filesystem::remove(path);

    const std::string text = platform::Windows1252ToUtf8(read);
    EXPECT_EQ(platform::Utf8ToWindows1252(text), AllByteValues());
}

TEST(TextEncoding, MapsTheCodePageAndItsUndefinedBytes) {
    EXPECT_EQ(platform::Windows1252ToUtf8("\x80"), "\u20AC");
    EXPECT_EQ(platform::Windows1252ToUtf8("\x9F"), "\u0178");
    EXPECT_EQ(platform::Windows1252ToUtf8("caf\xE9"), "caf\u00E9");
    for (const std::uint8_t undefined : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
        EXPECT_EQ(platform::CharacterOfWindows1252Code(undefined), char32_t{undefined});
        EXPECT_EQ(platform::Windows1252CodeOf(undefined), undefined);
    }
    // Every one of the 256 characters is distinct, so the mapping cannot lose a byte.
    for (int code = 0; code < 256; ++code) {
        const char32_t character = platform::CharacterOfWindows1252Code(code);
        EXPECT_EQ(platform::Windows1252CodeOf(character), code);
    }
}

TEST(TextEncoding, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    EXPECT_EQ(platform::Utf8ToWindows1252("a\u4E2Db"), "a?b");
    EXPECT_EQ(platform::Utf8ToWindows1252("\U0001F600"), "?");
    // C1 controls that the code page uses for printable characters have no byte of their own.
    EXPECT_EQ(platform::Utf8ToWindows1252("\u0080"), "?");
    EXPECT_FALSE(platform::Windows1252CodeOf(0x0080).has_value());
}

TEST(TextEncoding, InvalidUtf8IsReplacedByteForByte) {
    // A stray continuation byte, a truncated sequence, an overlong form and a surrogate.
    EXPECT_EQ(platform::DecodeUtf8("a\x80z"), U"a\uFFFDz");
    EXPECT_EQ(platform::DecodeUtf8("\xE2\x82"), U"\uFFFD\uFFFD");
    EXPECT_EQ(platform::DecodeUtf8("\xC0\xAF"), U"\uFFFD\uFFFD");
    EXPECT_EQ(platform::DecodeUtf8("\xED\xA0\x80"), U"\uFFFD\uFFFD\uFFFD");
    EXPECT_EQ(platform::Utf8ToWindows1252("x\xFFy"), "x?y");
    EXPECT_EQ(platform::Utf8ToWindows1252("\xC3(\xC3\xA9\xC3"), "?(\xE9?");
}

TEST(TextEncoding, Utf8RoundTripsEveryPlane) {
    const std::u32string characters = U"A\u00E9\u20AC\U0001F600";
    const std::string text = platform::EncodeUtf8(characters);
    EXPECT_EQ(text, "A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
    EXPECT_EQ(platform::DecodeUtf8(text), characters);
}
