#include <gtest/gtest.h>

#include "platform/http.h"
#include "server/definitions_server_process.h"

using platform::HttpGet;

TEST(DefinitionsServer, AnswersTheProgramsRequestsFromItsFiles) {
    DefinitionsServerProcess server;
    server.Serve("currentDate.txt", "4/1/2024 9:30:00 AM");
    server.Serve("package.txt", "package");
    server.Serve("date.txt", "4/2/2024");
    server.Serve("Languages/21/Localization.xml", "<TRANSLATION_ITEMS/>");
    const std::string base = server.BaseUrl();

    EXPECT_EQ(HttpGet(base + "/asp/currentDateNEW.asp?prog=P&comp=C").body, "4/1/2024 9:30:00 AM");
    EXPECT_EQ(HttpGet(base + "/asp/getDefsNEW.asp?prog=P&comp=C&date=3/16/2006").body, "package");
    EXPECT_EQ(HttpGet(base + "/asp/date.asp").body, "4/2/2024");
    EXPECT_EQ(HttpGet(base + "/Languages/21/Localization.xml").body, "<TRANSLATION_ITEMS/>");
    EXPECT_EQ(HttpGet(base + "/asp/getData.asp?data=a%26b%3Dc|d%41+e&f=g").body, "Added");
    EXPECT_EQ(server.Submissions(), std::vector<std::string>({"a&b=c|dA e"}))
        << "read as a query parser reads it";
    const auto lines = server.RequestLines();
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[2], "GET /asp/date.asp HTTP/1.1");

    // Nothing outside its folder is served.
    EXPECT_NE(HttpGet(base + "/../files/date.txt").body, "4/2/2024");
}
