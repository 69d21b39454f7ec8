#include "definition_text.h"

#include <cstdio>

#include "foundation/line_codec.h"
#include "platform/text_encoding.h"

namespace {

// The lines of a text; a final line end does not start another line.
std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        lines.push_back(line);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
    return lines;
}

bool HoldsLineBreak(std::string_view bytes) {
    return bytes.find_first_of("\r\n") != bytes.npos;
}

std::string CodePoint(char32_t character) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "U+%04X", static_cast<unsigned>(character));
    return buffer;
}

std::string LineProblem(std::size_t number, const std::string& what) {
    return "line " + std::to_string(number) + ": " + what;
}

// Why a plain line cannot be stored, or "" when it can.
std::string EncodingProblem(std::string_view line) {
    for (char32_t character : platform::DecodeUtf8(line)) {
        if (character == 0xFFFD) {
            return "not valid UTF-8 (or holds U+FFFD)";
        }
        if (!platform::Windows1252CodeOf(character)) {
            return "character " + CodePoint(character) + " is not in Windows-1252";
        }
        const std::string one = platform::EncodeUtf8(std::u32string(1, character));
        if (HoldsLineBreak(platform::Utf8ToWindows1252(EncodeLine(one)))) {
            return "character " + CodePoint(character) + " would be stored as a line break";
        }
    }
    return {};
}

}  // namespace

ConvertedText EncodeDefinitionText(std::string_view plainText) {
    ConvertedText result;
    std::size_t number = 0;
    for (std::string_view line : SplitLines(plainText)) {
        ++number;
        if (const std::string problem = EncodingProblem(line); !problem.empty()) {
            result.problems.push_back(LineProblem(number, problem));
            continue;
        }
        result.text += platform::Utf8ToWindows1252(EncodeLine(line)) + "\r\n";
    }
    return result;
}

ConvertedText DecodeDefinitionText(std::string_view storedBytes) {
    ConvertedText result;
    std::size_t number = 0;
    for (std::string_view line : SplitLines(storedBytes)) {
        ++number;
        const std::string plain = DecodeLine(platform::Windows1252ToUtf8(line));
        if (HoldsLineBreak(plain)) {
            result.problems.push_back(LineProblem(number, "decodes to a line break"));
            continue;
        }
        result.text += plain + "\n";
    }
    return result;
}
