#pragma once

#include <string>
#include <string_view>

#include "platform/us_date.h"

// The scan schedule: the positions of the schedule list and when a stored schedule is due.

// Positions of the schedule list: 0 to 6 weekly on Monday to Sunday, then these.
inline constexpr int kScheduleDaily = 7;
inline constexpr int kScheduleDateAndTime = 8;
inline constexpr int kScheduleNever = 9;

// The upper-case weekday of a weekly position: "MONDAY" for 0 to "SUNDAY" for 6, "MONDAY" for any
// other value.
std::string ScheduledWeekday(long position);

// Whether a stored schedule (list position, and the time and date as stored: a date text or
// "Null") is due at now, to the second. A stored text that is no date or time is never due.
bool ScheduleIsDue(long position, std::string_view storedTime, std::string_view storedDate,
                   const platform::DateTime& now);
