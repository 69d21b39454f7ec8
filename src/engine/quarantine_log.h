#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/us_date.h"

// QuarantineLog.txt in the quarantine folder: the only record of what a removal took away and
// where from. Every quarantined file and every deleted registry entry of a removal's first run
// appends one four-line entry; nothing ever rewrites or trims the log. Writing happens only while
// gLogRemovals (globals.h) is set.

// The program folder's quarantine folder and its log.
std::string QuarantineFolder();
std::string QuarantineLogPath();

// The date and time as every log entry and restore-point description shows it: the short date and
// the long time, also at midnight ("3/16/2006 12:00:00 AM").
std::string DateTimeText(const platform::DateTime& when);

// A quarantined file: "<when> - File: <name in quarantine>", " - Location: <path>", two empty
// lines.
std::vector<std::string> QuarantinedFileEntry(std::string_view when, std::string_view name,
                                              std::string_view path);

// A deleted registry entry: "<when> - Key: <key>", "Value: <value>", two empty lines.
std::vector<std::string> QuarantinedRegistryEntry(std::string_view when, std::string_view keyText,
                                                  std::string_view valueText);

// Append an entry stamped with the host's clock, when logging is on. A log that cannot be written
// (no quarantine folder, say) loses the entry; the removal goes on.
void LogQuarantinedFile(std::string_view path, std::string_view name);
void LogQuarantinedRegistryItem(std::string_view keyText, std::string_view valueText);
