#pragma once

#include <string>
#include <string_view>
#include <vector>

// The lines of 8-bit text files: written with CR LF; read with CR LF or a bare LF, a last line
// without a line end counting as a line.
namespace platform {

std::vector<std::string> SplitTextLines(std::string_view bytes);

// Each line followed by CR LF.
std::string JoinTextLines(const std::vector<std::string>& lines);

}  // namespace platform
