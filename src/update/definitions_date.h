#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/us_date.h"

// The dates the update check compares: the server's replies, cleaned and read as dates, and the
// date of the installed definitions.

// A date reply as it is read: blanks around it, tabs and line breaks inside removed, and cut right
// after the first "PM" (letter case ignored), else after the first "AM", so that whatever the
// server sends after the time is dropped.
std::string CleanDateReply(std::string_view reply);

// The cleaned reply as a date, or nothing when it is no date.
std::optional<platform::DateTime> ParseDateReply(std::string_view reply);

// Whether a definitions date can be true at `now`: no later than a day after it (time zones and a
// clock a little behind allowed for). A date further on is a server's fault, and once stored it
// would make every later update find its own definitions the newest.
bool IsBelievableDefinitionsDate(const platform::DateTime& date, const platform::DateTime& now);

// The reply as a date when it is one and believable at `now`.
std::optional<platform::DateTime> ParseBelievableDateReply(std::string_view reply,
                                                           const platform::DateTime& now);

// The date of the installed definitions (date.dat). A missing file, and one that cannot be read or
// holds no date, counts as the built-in date: a damaged file must not make every check fetch every
// definition since the earliest date. So does a date that is not believable at `now`, so that the
// next update fetches a package.
platform::DateTime InstalledDefinitionsDate(const platform::DateTime& now);
