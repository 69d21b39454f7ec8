#include "platform/text_case.h"

#include <gtest/gtest.h>

TEST(TextCase, MapsLettersBeyondAscii) {
    EXPECT_EQ(platform::ToUpperText("abc \u00E9t\u00E9 \u0161\u00FF \u03C3\u03C2 \u0436\u0451"),
              "ABC \u00C9T\u00C9 \u0160\u0178 \u03A3\u03A3 \u0416\u0401");
    EXPECT_EQ(platform::ToLowerText("ABC \u00C9 \u0160\u0178 \u0391\u0386 \u0416\u0401"),
              "abc \u00E9 \u0161\u00FF \u03B1\u03AC \u0436\u0451");
    // Not letters: the multiplication and division signs keep their meaning.
    EXPECT_EQ(platform::ToUpperText("\u00F7"), "\u00F7");
    EXPECT_EQ(platform::ToLowerText("\u00D7"), "\u00D7");
    EXPECT_EQ(platform::ToUpperText("\u00DF"), "\u00DF");
}

TEST(TextCase, KeepsBytesThatAreNotUtf8) {
    EXPECT_EQ(platform::ToUpperText("a\xFF"
                                    "b"),
              "A\xFF"
              "B");
}

TEST(TextCase, UpperCasesOnlyTheFirstCharacter) {
    EXPECT_EQ(platform::UpperCaseFirstCharacter("complete"), "Complete");
    EXPECT_EQ(platform::UpperCaseFirstCharacter("\u00E9t\u00E9"), "\u00C9t\u00E9");
    EXPECT_EQ(platform::UpperCaseFirstCharacter("[ProgramName] x"), "[ProgramName] x");
    EXPECT_EQ(platform::UpperCaseFirstCharacter(""), "");
}

TEST(TextCase, ComparesAndFindsWithoutCase) {
    EXPECT_TRUE(platform::EqualsIgnoringCase("MSG_Stop", "msg_STOP"));
    EXPECT_TRUE(platform::EqualsIgnoringCase("\u00C9COLE", "\u00E9cole"));
    EXPECT_FALSE(platform::EqualsIgnoringCase("abc", "abd"));
    // ASCII before and after other letters, bytes that are not UTF-8, only punctuation.
    EXPECT_TRUE(platform::EqualsIgnoringCase("Program \u00C9cole\\X", "PROGRAM \u00E9COLE\\x"));
    EXPECT_FALSE(platform::EqualsIgnoringCase("Program \u00C9cole\\X", "PROGRAM \u00E9COLE\\y"));
    EXPECT_TRUE(
        platform::EqualsIgnoringCase("a\xFF"
                                     "B",
                                     "A\xFF"
                                     "b"));
    EXPECT_FALSE(
        platform::EqualsIgnoringCase("a\xFF"
                                     "B",
                                     "A\xFE"
                                     "b"));
    EXPECT_FALSE(platform::EqualsIgnoringCase("[", "{"));
    EXPECT_FALSE(platform::EqualsIgnoringCase("@", "`"));
    EXPECT_EQ(platform::FindIgnoringCase("Caf\u00C9 Essex", "SEX"), 8u);
    EXPECT_EQ(platform::FindIgnoringCase("abcABC", "abc", 1), 3u);
    EXPECT_EQ(platform::FindIgnoringCase("abc", "x"), std::string::npos);
    EXPECT_EQ(platform::FindIgnoringCase("abc", "a", 9), std::string::npos);
}
