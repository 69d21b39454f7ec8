#include <gtest/gtest.h>

#include "support/scoped_environment.h"
#include "support/temporary_program_folder.h"
#include "update/definition_addresses.h"
#include "update/definitions_date.h"
#include "update/definitions_server.h"

using test_support::ScopedEnvironmentVariable;

namespace {

TEST(DefinitionsServerAddresses, WriteBlanksInTheNamesAsPercentTwentyAndNothingElse) {
    ScopedEnvironmentVariable server("TOLLENWARK_DEFINITIONS_SERVER", "http://127.0.0.1:8080/");
    EXPECT_EQ(
        DefinitionsDateAddress("Toll Wark", "A&B Labs Ltd"),
        "http://127.0.0.1:8080/asp/currentDateNEW.asp?prog=Toll%20Wark&comp=A&B%20Labs%20Ltd");
    EXPECT_EQ(DefinitionsPackageAddress("P", "C"),
              "http://127.0.0.1:8080/asp/getDefsNEW.asp?prog=P&comp=C&date=");
    EXPECT_EQ(NewDefinitionsDateAddress(), "http://127.0.0.1:8080/asp/date.asp");
    EXPECT_EQ(SubmissionAddress(), "http://127.0.0.1:8080/asp/getData.asp?data=");
}

TEST(DefinitionsServerAddresses, GoToTheMakersHostUnlessTheEnvironmentNamesAnother) {
    ScopedEnvironmentVariable unset("TOLLENWARK_DEFINITIONS_SERVER", std::nullopt);
    EXPECT_EQ(DefinitionsServerAddress(), kDefinitionsServerHost);
    ScopedEnvironmentVariable empty("TOLLENWARK_DEFINITIONS_SERVER", "");
    EXPECT_EQ(DefinitionsServerAddress(), kDefinitionsServerHost);
}

TEST(DateReplies, AreCutAfterTheTimeAndFreedOfBlanksAndLineBreaks) {
    EXPECT_EQ(CleanDateReply("  4/1/2006 9:30:00 AM<html>filler</html>  "), "4/1/2006 9:30:00 AM");
    EXPECT_EQ(CleanDateReply("4/1/2006\t9:30:00 pm\r\nAM"), "4/1/20069:30:00 pm")
        << "PM is looked for first, in any case; tabs go without leaving a blank";
    EXPECT_EQ(CleanDateReply("\r\n4/1/2006\r\n"), "4/1/2006");
    EXPECT_EQ(ParseDateReply("4/1/2006 9:30:00 AM trailing text"),
              (platform::DateTime{2006, 4, 1, 9, 30, 0}));
    EXPECT_EQ(ParseDateReply("4/1/2006"), (platform::DateTime{2006, 4, 1, 0, 0, 0}));
    EXPECT_FALSE(ParseDateReply("<html>404 Not Found</html>"));
    EXPECT_FALSE(ParseDateReply(""));
}

TEST(InstalledDefinitionsDate, IsTheBuiltInDateUnlessDateDatHoldsABelievableDate) {
    test_support::TemporaryProgramFolder program;
    const platform::DateTime builtIn{2006, 3, 16, 0, 0, 0};
    const platform::DateTime now{2007, 5, 1, 13, 2, 3};
    EXPECT_EQ(InstalledDefinitionsDate(now), builtIn);
    program.WriteFile("date.dat", "not a date\r\n");
    EXPECT_EQ(InstalledDefinitionsDate(now), builtIn);
    program.WriteFile("date.dat", "");
    EXPECT_EQ(InstalledDefinitionsDate(now), builtIn) << "a date.dat without a line";
    program.WriteFile("date.dat", "5/2/2007 1:02:03 PM\r\n");
    EXPECT_EQ(InstalledDefinitionsDate(now), (platform::DateTime{2007, 5, 2, 13, 2, 3}))
        << "a day ahead of the clock";
    program.WriteFile("date.dat", "5/2/2007 1:02:04 PM\r\n");
    EXPECT_EQ(InstalledDefinitionsDate(now), builtIn) << "further on: the server's fault";
    EXPECT_TRUE(IsBelievableDefinitionsDate({2008, 1, 1, 9, 0, 0}, {2007, 12, 31, 9, 0, 0}));
}

TEST(DefinitionAddressList, StartsFromTheHostOfTheWebsite) {
    EXPECT_EQ(DefinitionsBaseUrl("tollenwark.example"), "http://www.tollenwark.example");
    EXPECT_EQ(DefinitionsBaseUrl("HTTP://Www.Example.com/download/page.htm"),
              "http://Www.Example.com");
    EXPECT_EQ(DefinitionsBaseUrl("http://example.com/"), "http://www.example.com");
    EXPECT_EQ(DefinitionsBaseUrl(""), kMakerWebAddress);
}

}  // namespace
