#pragma once

#include <string>
#include <string_view>

// The code shift that every line of the definition files is stored through. Each character is
// turned into its Windows-1252 code, shifted by 64 and turned back into a character; the wrap is by
// 255, so encoding never yields code 0 and a 255 comes back from a round trip as 0. A character
// outside Windows-1252 is taken as "?" first.
std::string EncodeLine(std::string_view text);
std::string DecodeLine(std::string_view text);

// DecodeLine of a line as a definition file stores it (Windows-1252 bytes), without converting it
// to text first.
std::string DecodeStoredLine(std::string_view bytes);
