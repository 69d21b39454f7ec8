#pragma once

#include <string>
#include <string_view>
#include <vector>

// The lines of 8-bit text files: written with CR LF; read with CR LF or a bare LF, a last line
// without a line end counting as a line.
namespace platform {

std::vector<std::string> SplitTextLines(std::string_view bytes);

// The same lines as views into bytes, for callers that only look at them.
std::vector<std::string_view> SplitTextLineViews(std::string_view bytes);

// Each line followed by CR LF.
std::string JoinTextLines(const std::vector<std::string>& lines);
std::string JoinTextLines(const std::vector<std::string_view>& lines);

}  // namespace platform
