#include "update/stored_line_keys.h"

#include <gtest/gtest.h>

#include "foundation/line_codec.h"
#include "platform/text_case.h"
#include "platform/text_encoding.h"
#include "update/update_records.h"

namespace {

// The key as a whole line would give it, converted, decoded and lower-cased.
std::string ReferenceKey(std::string_view storedLine) {
    return platform::ToLowerText(DefinitionLineKey(platform::Windows1252ToUtf8(storedLine)));
}

TEST(StoredLineKeys, MatchTheKeyOfTheConvertedLineForEveryStoredByte) {
    StoredLineKeys keys;
    std::string everyByte;
    for (int byte = 0; byte < 256; ++byte) {
        const std::string line(1, static_cast<char>(byte));
        EXPECT_EQ(keys.LowerKeyOf(line), ReferenceKey(line)) << byte;
        everyByte += line;
    }
    // The encoded "=" ("}" as stored) ends the key wherever it stands.
    EXPECT_EQ(keys.LowerKeyOf(everyByte), ReferenceKey(everyByte));
    EXPECT_EQ(keys.LowerKeyOf(everyByte.substr(0x7E) + everyByte),
              ReferenceKey(everyByte.substr(0x7E) + everyByte));
}

TEST(StoredLineKeys, MatchTheDecodedKeyOfARecordForEveryCharacter) {
    // Every character of the code page (the encoded "=" among them), one outside it and bytes
    // that are not UTF-8, before and after the plain "=" that ends the key.
    std::string text;
    for (int byte = 1; byte < 256; ++byte) {
        if (byte != '=') {
            text += platform::Windows1252ToUtf8(std::string(1, static_cast<char>(byte)));
        }
    }
    text += "\u4E2D\xC3(\xFF";
    StoredLineKeys keys;
    for (const std::string& definition : {text, text + "=" + text, "=" + text}) {
        EXPECT_EQ(keys.LowerKeyOfDefinition(definition),
                  platform::ToLowerText(UpdateDefinitionKey(definition)));
    }
}

TEST(StoredLineKeys, IgnoreLetterCaseAndStopAtTheFirstEquals) {
    StoredLineKeys keys;
    const std::string stored = platform::Utf8ToWindows1252(EncodeLine("T\u00D6OL.exe=Threat=x|y"));
    EXPECT_EQ(std::string(keys.LowerKeyOf(stored)), "t\u00F6ol.exe");
    EXPECT_EQ(keys.LowerKeyOf(platform::Utf8ToWindows1252(EncodeLine("=Threat"))), "");
}

}  // namespace
