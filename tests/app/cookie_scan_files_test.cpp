#include <gtest/gtest.h>

#include "engine/cookie_files.h"

namespace {

TEST(CookieFiles, TheHostStandsBetweenTheAtAndTheBracketOrExtension) {
    EXPECT_EQ(GetCookieHostFromFileName("C:\\Cookies\\bob@doubleclick[1].txt"), "doubleclick");
    EXPECT_EQ(GetCookieHostFromFileName("bob@ads.example(2)[1].txt"), "ads.example");
    EXPECT_EQ(GetCookieHostFromFileName("bob@tracker.example.txt"), "tracker.example");
    EXPECT_EQ(GetCookieHostFromFileName("bob@a@b[1].txt"), "a@b");
    EXPECT_EQ(GetCookieHostFromFileName("C:\\Cookies\\index.dat"), "");
    EXPECT_EQ(GetCookieHostFromFileName(""), "");
    // An "@" in a folder above the cookie file is no part of its name.
    EXPECT_EQ(GetCookieHostFromFileName("C:\\users\\a@b\\Cookies\\bob@host[1].txt"), "host");
    EXPECT_EQ(GetCookieHostFromFileName("C:\\users\\a@b\\Cookies\\index.dat"), "");
}

TEST(CookieFiles, FieldsAreSeparatedByCommasAndLineEnds) {
    EXPECT_EQ(CookieFileFields({"id", "a,b,", "", "x"}),
              (std::vector<std::string>{"id", "a", "b", "", "", "x"}));
}

TEST(CookieFiles, TheDomainRunsFromTheHostToTheFirstSlash) {
    EXPECT_EQ(CookieDomainInField(".ad.doubleclick.net/", "doubleclick"), "doubleclick.net");
    EXPECT_EQ(CookieDomainInField("doubleclick.net/path/x", "doubleclick"), "doubleclick.net");
    EXPECT_EQ(CookieDomainInField("doubleclick.net", "doubleclick"), std::nullopt);
    EXPECT_EQ(CookieDomainInField("DoubleClick.net/", "doubleclick"), std::nullopt);
    EXPECT_EQ(CookieDomainInField("/doubleclick.net", "doubleclick"), std::nullopt);
}

TEST(CookieFiles, TheMatchKeyDropsTheLastLabelAndALeadingWww) {
    EXPECT_EQ(CookieMatchKey("ads.example.com"), "ads.example");
    EXPECT_EQ(CookieMatchKey("www.example.com"), "example");
    EXPECT_EQ(CookieMatchKey("WWW.Example.com"), "Example");
    EXPECT_EQ(CookieMatchKey("example.com"), "example");
    EXPECT_EQ(CookieMatchKey("localhost"), "localhost");
    EXPECT_EQ(CookieMatchKey("False"), "False");
    EXPECT_EQ(CookieMatchKey(".com"), "");
}

}  // namespace
