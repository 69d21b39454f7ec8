#include "foundation/path_text.h"

#include "platform/text_case.h"
#include "platform/text_encoding.h"

std::string ReplaceEachOnce(std::string_view text, std::string_view find,
                            std::string_view replacement) {
    if (find.empty()) {
        return std::string(text);
    }
    std::string result;
    std::size_t from = 0;
    for (auto at = text.find(find); at != std::string_view::npos; at = text.find(find, from)) {
        result.append(text.substr(from, at - from)).append(replacement);
        from = at + find.size();
    }
    return result.append(text.substr(from));
}

std::vector<std::string_view> SplitAt(std::string_view text, char separator) {
    std::vector<std::string_view> pieces;
    std::size_t from = 0;
    for (auto at = text.find(separator); at != std::string_view::npos;
         at = text.find(separator, from)) {
        pieces.push_back(text.substr(from, at - from));
        from = at + 1;
    }
    pieces.push_back(text.substr(from));
    return pieces;
}

std::string GetFileNameFromPath(std::string_view path) {
    const auto separator = path.rfind('\\');
    return std::string(separator == std::string_view::npos ? path : path.substr(separator + 1));
}

std::string GetFileExtension(std::string_view path) {
    const auto mark = path.find_last_of(".:\\");
    if (mark == std::string_view::npos || path[mark] != '.') {
        return {};
    }
    return platform::ToLowerText(TrimBlanks(path.substr(mark + 1)));
}

std::string ExtractFileName(std::string_view text) {
    return GetFileNameFromPath(text.substr(0, text.find('\0')));
}

std::int16_t HiWordOf(std::uint32_t value) {
    return static_cast<std::int16_t>(value >> 16);
}

std::int16_t LoWordOf(std::uint32_t value) {
    return static_cast<std::int16_t>(value & 0xFFFF);
}

std::string ReplaceAll(std::string_view text, std::string_view find, std::string_view replacement) {
    if (find.empty()) {
        return std::string(text);
    }
    if (replacement.find(find) != std::string_view::npos) {
        return ReplaceEachOnce(text, find, replacement);
    }
    std::string result(text);
    // The text before an occurrence holds none, so the next one can start at most find's length
    // less one before the place of the last replacement.
    for (auto at = result.find(find); at != std::string::npos;) {
        result.replace(at, find.size(), replacement);
        at = result.find(find, at >= find.size() - 1 ? at - (find.size() - 1) : 0);
    }
    return result;
}

std::string ToWideByteString(std::string_view text) {
    std::string pattern(1, '\x01');
    for (char byte : platform::Utf8ToWindows1252(text)) {
        pattern.push_back('\0');
        pattern.push_back(byte);
    }
    return pattern;
}
