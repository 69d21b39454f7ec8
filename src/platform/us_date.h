#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Dates and times as the program shows, stores and compares them: local time, United States
// formats. A value whose date is the zero date (12/30/1899) is a time of day alone, as the host's
// date values are; one whose time is midnight is shown as a date alone.
namespace platform {

struct DateTime {
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;

    // Fields are ordered from the largest unit down, so the default ordering is chronological.
    auto operator<=>(const DateTime&) const = default;

    bool IsTimeOnly() const { return year == 1899 && month == 12 && day == 30; }
    bool IsMidnight() const { return hour == 0 && minute == 0 && second == 0; }
};

// The computer's clock in local time.
DateTime LocalNow();

// Whether the fields name a real day of the years 100 to 9999 and a real time of day.
bool IsValidDateTime(const DateTime& value);

// The general date: "3/16/2006 2:05:09 PM"; "3/16/2006" at midnight; "2:05:09 PM" for a time alone
// ("12:00:00 AM" for the zero value).
std::string FormatGeneralDate(const DateTime& value);
std::string FormatShortDate(const DateTime& value);     // "3/16/2006"
std::string FormatLongTime(const DateTime& value);      // "2:05:09 PM"
std::string FormatTime24(const DateTime& value);        // "hh:mm:ss": "14:05:09"
std::string FormatDayMonthYear(const DateTime& value);  // "dd/MM/yyyy": "16/03/2006"
std::string WeekdayName(const DateTime& value);         // "dddd": "Thursday"

// Digit grouping of the United States: 12345 -> "12,345".
std::string FormatGroupedNumber(std::int64_t number);

// Reads a date, a time or both with the rules of the formats above: "3/16/2006 12:00:00 AM",
// "3/16/2006", "14:30:00", "2:30 PM"; two-digit years 30-99 are 1930-1999, 00-29 are 2000-2029.
// Text that is no date (and a date that does not exist, such as 2/30/2006) gives nothing.
std::optional<DateTime> ParseUsDate(std::string_view text);

}  // namespace platform
