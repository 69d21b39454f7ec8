#pragma once

#include <string>
#include <string_view>

// The "CompanyName" entry of a program file's version information, found by searching the file's
// raw bytes (no resource parsing, so any file kind works): the key in UTF-16LE after the
// "StringFileInfo" block, or as plain 8-bit text in files that store it so. Empty when none is
// found. GetFileCompanyName (which reads the file) is built on this.
std::string GetFileCompanyNameFromBytes(std::string_view fileBytes);
