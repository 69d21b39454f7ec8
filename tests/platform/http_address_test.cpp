#include "platform/http_address.h"

#include <gtest/gtest.h>

using platform::EscapeAddressForRequestLine;

TEST(EscapeAddressForRequestLine, EscapesOnlyWhatCannotTravelAsItIs) {
    EXPECT_EQ(EscapeAddressForRequestLine("http://h/a b\t\r\n\x7F\x80\xE9\xFF#x"),
              "http://h/a%20b%09%0D%0A%7F%80%E9%FF%23x");
    // What callers escaped themselves, and the payload's punctuation, go out unchanged.
    EXPECT_EQ(EscapeAddressForRequestLine("/asp/getData.asp?data=%20|&=^?~\"<>\\{}"),
              "/asp/getData.asp?data=%20|&=^?~\"<>\\{}");
    EXPECT_EQ(EscapeAddressForRequestLine(std::string("a\0b", 3)), "a%00b");
}
