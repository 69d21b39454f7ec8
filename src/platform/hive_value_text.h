#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

// The value's data in a hexadecimal form, appended to out: dword:0000000f for a DWORD that has its
// number, otherwise hex:01,02 or hex(n):01,02 of its stored bytes (text as UTF-16LE with its final
// NUL), broken after a comma with a backslash once the line passes Wine's width.
void AppendBinaryValueData(std::string& out, const RegValue& value);

// UTF-16 code units as little-endian bytes.
std::vector<std::uint8_t> Utf16Bytes(std::u16string_view text);

}  // namespace platform
