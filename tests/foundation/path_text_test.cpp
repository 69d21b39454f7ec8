#include "foundation/path_text.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

TEST(PathText, FileNamesAndExtensions) {
    EXPECT_EQ(GetFileNameFromPath("C:\\Windows\\notepad.exe"), "notepad.exe");
    EXPECT_EQ(GetFileNameFromPath("notepad.exe"), "notepad.exe");
    EXPECT_EQ(GetFileNameFromPath("C:\\Windows\\"), "");
    EXPECT_EQ(GetFileNameFromPath(""), "");

    EXPECT_EQ(GetFileExtension("c:\\x\\file.TXT "), "txt");
    EXPECT_EQ(GetFileExtension("C:\\dir.old\\file"), "");
    EXPECT_EQ(GetFileExtension("C:file"), "");
    EXPECT_EQ(GetFileExtension("archive.tar.GZ"), "gz");
    EXPECT_EQ(GetFileExtension("noextension"), "");
    EXPECT_EQ(GetFileExtension("C:\\x\\caf\u00C9.\u00C9XE"), "\u00E9xe");

    EXPECT_EQ(ExtractFileName("C:\\a\\b.exe\0C:\\junk"s), "b.exe");
    EXPECT_EQ(ExtractFileName("\0C:\\junk"s), "");
    EXPECT_EQ(ExtractFileName("C:\\a\\b.exe"), "b.exe");
}

TEST(PathText, SplitsWordsAsSignedHalves) {
    EXPECT_EQ(HiWordOf(0x0001FFFF), 1);
    EXPECT_EQ(LoWordOf(0x0001FFFF), -1);
    EXPECT_EQ(HiWordOf(0xFFFF0000), -1);
    EXPECT_EQ(LoWordOf(0xFFFF0000), 0);
    EXPECT_EQ(HiWordOf(0x7FFF8000), 32767);
    EXPECT_EQ(LoWordOf(0x7FFF8000), -32768);
}

TEST(PathText, ReplaceAllRepeatsUntilNoneIsLeft) {
    EXPECT_EQ(ReplaceAll("A\0c\0m\0e"s, "\0"s, ""), "Acme");
    EXPECT_EQ(ReplaceAll("abc", "x", "y"), "abc");
    EXPECT_EQ(ReplaceAll("aabb", "ab", ""), "");  // removing one occurrence makes the next
    EXPECT_EQ(ReplaceAll("aab", "ab", "bc"), "bcc");
    EXPECT_EQ(ReplaceAll("a-b-c", "-", "+"), "a+b+c");
    // Cases that would never end if taken literally.
    EXPECT_EQ(ReplaceAll("abc", "", "x"), "abc");
    EXPECT_EQ(ReplaceAll("a.b.", ".", ".."), "a..b..");
}

TEST(PathText, ReplaceEachOnceDoesNotLookAtWhatItMade) {
    EXPECT_EQ(ReplaceEachOnce("a\\\\\\b", "\\\\", "\\"), "a\\\\b");
    EXPECT_EQ(ReplaceEachOnce("aabb", "ab", ""), "ab");
    EXPECT_EQ(ReplaceEachOnce("abc", "", "x"), "abc");
}

TEST(PathText, SplitsAtEverySeparatorAndTrimsBlanksOnly) {
    EXPECT_EQ(SplitAt("a|b|", '|'), (std::vector<std::string_view>{"a", "b", ""}));
    EXPECT_EQ(SplitAt("", '|'), (std::vector<std::string_view>{""}));
    EXPECT_EQ(TrimBlanks("  a b \t "), "a b \t");
    EXPECT_EQ(TrimBlanks("   "), "");
}

TEST(PathText, WideByteStringIsTheKeyOfAVersionResourceEntry) {
    EXPECT_EQ(ToWideByteString("Ab"), "\x01\0A\0b"s);
    EXPECT_EQ(ToWideByteString(""), "\x01");
    EXPECT_EQ(ToWideByteString("\u00E9"), "\x01\0\xE9"s);
}
