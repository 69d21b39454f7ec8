#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/registry.h"

// One value as a hive file writes it: "name"=data or @=data, where data is "text" (REG_SZ),
// str(n):"text", dword:0000000f, hex:01,02 or hex(n):01,02 (long hex data continues on the next
// line after a trailing backslash).
namespace platform {

struct NamedValue {
    std::string name;  // "" for the default value (@)
    RegValue value;
};

// Whether the value line continues on the next line (hex data ending in a backslash).
bool ValueLineContinues(std::string_view line);

// Reads one value from its line (continuation lines already joined, without line ends). Nothing,
// with *error set, when the line cannot be read.
std::optional<NamedValue> ParseValueLine(std::string_view line, std::string* error);

// The value's lines in the hive's layout, ending in "\n".
std::string FormatValueLine(std::string_view name, const RegValue& value);

}  // namespace platform
