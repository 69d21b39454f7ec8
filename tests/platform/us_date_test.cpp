#include "platform/us_date.h"

#include <gtest/gtest.h>

using platform::DateTime;
using platform::FormatGeneralDate;
using platform::ParseUsDate;

TEST(UsDate, GeneralDateLeavesOutMidnightAndTheZeroDate) {
    EXPECT_EQ(FormatGeneralDate({2026, 12, 8, 8, 23, 14}), "12/8/2026 8:23:14 AM");
    EXPECT_EQ(FormatGeneralDate({2006, 3, 16, 0, 0, 0}), "3/16/2006");
    EXPECT_EQ(FormatGeneralDate({2006, 3, 16, 0, 0, 1}), "3/16/2006 12:00:01 AM");
    EXPECT_EQ(FormatGeneralDate({2006, 3, 16, 12, 5, 0}), "3/16/2006 12:05:00 PM");
    EXPECT_EQ(FormatGeneralDate({2006, 3, 16, 23, 59, 59}), "3/16/2006 11:59:59 PM");
    EXPECT_EQ(FormatGeneralDate({1899, 12, 30, 14, 30, 0}), "2:30:00 PM");
    EXPECT_EQ(FormatGeneralDate(DateTime{}), "12:00:00 AM");
}

TEST(UsDate, ParsesWhatItFormats) {
    EXPECT_EQ(ParseUsDate("3/16/2006 12:00:00 AM"), (DateTime{2006, 3, 16, 0, 0, 0}));
    EXPECT_EQ(ParseUsDate("3/16/2006"), (DateTime{2006, 3, 16, 0, 0, 0}));
    EXPECT_EQ(ParseUsDate("14:30:00"), (DateTime{1899, 12, 30, 14, 30, 0}));
    EXPECT_EQ(ParseUsDate(" 12/8/2026   8:23:14 pm "), (DateTime{2026, 12, 8, 20, 23, 14}));
    EXPECT_EQ(ParseUsDate("12:15 AM"), (DateTime{1899, 12, 30, 0, 15, 0}));
    EXPECT_EQ(ParseUsDate("2/29/2008"), (DateTime{2008, 2, 29, 0, 0, 0}));
    EXPECT_EQ(ParseUsDate("3/16/06"), (DateTime{2006, 3, 16, 0, 0, 0}));
    EXPECT_EQ(ParseUsDate("3/16/99"), (DateTime{1999, 3, 16, 0, 0, 0}));
    EXPECT_EQ(ParseUsDate("2006-03-16"), (DateTime{2006, 3, 16, 0, 0, 0}));
    for (const DateTime value :
         {DateTime{2026, 1, 2, 3, 4, 5}, DateTime{2006, 3, 16}, DateTime{1899, 12, 30, 23, 0, 0}}) {
        EXPECT_EQ(ParseUsDate(FormatGeneralDate(value)), value);
    }
}

TEST(UsDate, RejectsTextThatIsNoDate) {
    for (const char* text : {"", "Null", "Never", "2/30/2006", "2/29/2007", "13/1/2006",
                             "3/16/2006 25:00:00", "3/16/2006 13:00:00 PM", "3/16/2006 PST", "3/16",
                             "3/16-2006", "12:60", "123456/1/1", "3/16/2006 12"}) {
        EXPECT_FALSE(ParseUsDate(text).has_value()) << text;
    }
}

TEST(UsDate, ComparesChronologically) {
    EXPECT_LT(*ParseUsDate("3/16/2006 11:59:59 PM"), *ParseUsDate("3/17/2006"));
    EXPECT_LT(*ParseUsDate("12/31/2005"), *ParseUsDate("1/1/2006"));
    EXPECT_EQ(*ParseUsDate("3/16/2006"), *ParseUsDate("3/16/2006 12:00:00 AM"));
}

TEST(UsDate, FixedFormatsAndWeekdays) {
    const DateTime value{2006, 3, 6, 9, 5, 7};
    EXPECT_EQ(platform::FormatTime24(value), "09:05:07");
    EXPECT_EQ(platform::FormatTime24({2006, 3, 6, 21, 0, 0}), "21:00:00");
    EXPECT_EQ(platform::FormatDayMonthYear(value), "06/03/2006");
    EXPECT_EQ(platform::WeekdayName({2006, 3, 16}), "Thursday");
    EXPECT_EQ(platform::WeekdayName({2000, 2, 29}), "Tuesday");
    EXPECT_EQ(platform::WeekdayName({1970, 1, 1}), "Thursday");
    EXPECT_EQ(platform::WeekdayName({1899, 12, 30}), "Saturday");
    EXPECT_TRUE(platform::IsValidDateTime(platform::LocalNow()));
}

TEST(UsDate, GroupsDigitsByThousands) {
    EXPECT_EQ(platform::FormatGroupedNumber(0), "0");
    EXPECT_EQ(platform::FormatGroupedNumber(999), "999");
    EXPECT_EQ(platform::FormatGroupedNumber(12345), "12,345");
    EXPECT_EQ(platform::FormatGroupedNumber(1234567), "1,234,567");
    EXPECT_EQ(platform::FormatGroupedNumber(-1000), "-1,000");
}
