#include "foundation/line_codec.h"

#include <gtest/gtest.h>

#include "platform/text_encoding.h"

namespace {

// The one-character text whose Windows-1252 code is code.
std::string CharacterOfCode(int code) {
    return platform::Windows1252ToUtf8(std::string(1, static_cast<char>(code)));
}

}  // namespace

TEST(LineCodec, ShiftsByFixedCodesAndWrapsBy255) {
    EXPECT_EQ(EncodeLine(CharacterOfCode(191)), CharacterOfCode(255));
    EXPECT_EQ(EncodeLine(CharacterOfCode(192)), CharacterOfCode(1));
    EXPECT_EQ(EncodeLine(CharacterOfCode(0)), CharacterOfCode(64));
    EXPECT_EQ(EncodeLine(CharacterOfCode(255)), CharacterOfCode(64));
    EXPECT_EQ(DecodeLine(CharacterOfCode(64)), CharacterOfCode(0));
    EXPECT_EQ(DecodeLine(CharacterOfCode(0)), CharacterOfCode(191));
    EXPECT_EQ(EncodeLine("A=B"), "\u0081}\u201A");
    EXPECT_EQ(EncodeLine(""), "");
    EXPECT_EQ(DecodeLine(""), "");
}

TEST(LineCodec, EveryCodeBut255SurvivesARoundTrip) {
    std::string bytes;
    for (int code = 0; code <= 254; ++code) {
        bytes.push_back(static_cast<char>(code));
    }
    const std::string line = platform::Windows1252ToUtf8(bytes);
    const std::string encoded = EncodeLine(line);
    EXPECT_EQ(platform::Utf8ToWindows1252(encoded).find('\0'), std::string::npos);
    EXPECT_EQ(DecodeLine(encoded), line);
    EXPECT_EQ(DecodeLine(EncodeLine(CharacterOfCode(255))), CharacterOfCode(0));
}

TEST(LineCodec, TakesCharactersOutsideTheCodePageAsQuestionMarks) {
    EXPECT_EQ(EncodeLine("\u4E2D"), EncodeLine("?"));
}

TEST(LineCodec, DecodesStoredBytesAsItDecodesTheirText) {
    std::string bytes;
    for (int code = 0; code <= 255; ++code) {
        bytes.push_back(static_cast<char>(code));
    }
    EXPECT_EQ(DecodeStoredLine(bytes), DecodeLine(platform::Windows1252ToUtf8(bytes)));
    EXPECT_EQ(DecodeStoredLine(""), "");
}

// A scan keeps every decoded line of a definition file; room for the longest outcome of each
// would triple what it holds.
TEST(LineCodec, ADecodedLineHoldsNoRoomBeyondItsText) {
    const std::string line = EncodeLine(std::string(200, 'k'));
    for (const std::string& decoded :
         {DecodeLine(line), DecodeStoredLine(platform::Utf8ToWindows1252(line))}) {
        EXPECT_EQ(decoded, std::string(200, 'k'));
        EXPECT_LT(decoded.capacity(), 2 * decoded.size());
    }
}
