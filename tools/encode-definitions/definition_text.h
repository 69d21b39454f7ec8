#pragma once

#include <string>
#include <string_view>
#include <vector>

// Whole definition files for the encoder tool: plain UTF-8 lines on one side, the stored form on
// the other (each line through the line codec, Windows-1252 bytes, CR LF line ends).

struct ConvertedText {
    std::string text;
    std::vector<std::string> problems;  // one per line that cannot be converted faithfully
};

// Plain lines (LF or CR LF) -> the stored bytes. Refuses characters outside Windows-1252 and
// characters whose code the shift turns into a line break, which no definition file can hold.
ConvertedText EncodeDefinitionText(std::string_view plainText);

// Stored bytes (CR LF or LF) -> plain UTF-8 lines ended by LF. Refuses lines that decode to a line
// break.
ConvertedText DecodeDefinitionText(std::string_view storedBytes);
