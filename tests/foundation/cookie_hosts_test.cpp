#include "foundation/cookie_hosts.h"

#include <gtest/gtest.h>

namespace {

TEST(CookieHosts, AStarBeforeTheNameBlocksItsHost) {
    EXPECT_TRUE(IsBlockedCookieHost({"*doubleclick.net"}, "doubleclick"));
    EXPECT_TRUE(IsBlockedCookieHost({"doubleclick"}, "doubleclick"));
}

TEST(CookieHosts, TheKeyMustStandAloneOnceTheLastDotAndFirstStarAreGone) {
    EXPECT_FALSE(IsBlockedCookieHost({".doubleclick.net"}, "doubleclick"));
    EXPECT_FALSE(IsBlockedCookieHost({"DoubleClick.net"}, "doubleclick"));  // held with case
    EXPECT_FALSE(IsBlockedCookieHost({"*ads.doubleclick.net"}, "doubleclick"));
    EXPECT_FALSE(IsBlockedCookieHost({}, "doubleclick"));
}

TEST(CookieHosts, EveryLineHoldingTheKeyIsTried) {
    EXPECT_TRUE(IsBlockedCookieHost({"*ads.example.com", "*tracker.org", "*ads.net"}, "ads"));
    // Lines of the same key without case: the one holding the key with case decides.
    EXPECT_TRUE(IsBlockedCookieHost({"*ADS.net", "*Ads.org", "*ads.com"}, "ads"));
    EXPECT_FALSE(IsBlockedCookieHost({"*ADS.net", "*Ads.org"}, "ads"));
}

}  // namespace
