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

// The date of the installed definitions (date.dat). A missing file, and one that cannot be read or
// holds no date, counts as the built-in date: a damaged file must not make every check fetch every
// definition since the earliest date.
platform::DateTime InstalledDefinitionsDate();
