#include "platform/text_lines.h"

#include <algorithm>

namespace platform {

std::string_view TrimBlanks(std::string_view text, std::string_view blanks) {
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

std::vector<std::string> SplitTextLines(std::string_view bytes) {
    const std::vector<std::string_view> views = SplitTextLineViews(bytes);
    return {views.begin(), views.end()};
}

std::vector<std::string_view> SplitTextLineViews(std::string_view bytes) {
    std::vector<std::string_view> lines;
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        lines.emplace_back(line);
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
    }
    return lines;
}

std::size_t CountTextLines(std::string_view bytes) {
    const auto lineEnds = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n'));
    return bytes.empty() || bytes.back() == '\n' ? lineEnds : lineEnds + 1;
}

std::vector<std::string_view> SplitCrLfLineViews(std::string_view bytes) {
    std::vector<std::string_view> lines;
    for (std::size_t start = 0; start < bytes.size();) {
        const std::size_t end = std::min(FindCrLf(bytes, start), bytes.size());
        lines.push_back(bytes.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

std::size_t CountCrLfLines(std::string_view bytes) {
    std::size_t lines = 0;
    for (std::size_t start = 0; start < bytes.size(); ++lines) {
        start = std::min(FindCrLf(bytes, start), bytes.size()) + 2;
    }
    return lines;
}

// Sized first: whole files are joined here.
std::string JoinTextLines(const std::vector<std::string>& lines) {
    std::size_t size = 0;
    for (const auto& line : lines) {
        size += line.size() + 2;
    }
    std::string bytes;
    bytes.reserve(size);
    for (const auto& line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    return bytes;
}

}  // namespace platform
