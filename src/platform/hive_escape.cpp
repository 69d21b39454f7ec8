#include "platform/hive_escape.h"

#include <algorithm>
#include <cstdio>

#include "platform/hive_utf16.h"

namespace platform {

namespace {

bool IsHexDigit(char16_t c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool IsOctalDigit(char16_t c) {
    return c >= '0' && c <= '7';
}

int DigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    return (c | 0x20) - 'a' + 10;
}

// The letters of the control characters that have one ("\n"), indexed by the character.
constexpr std::string_view kControlLetters = ".......abtnvfr.............e....";

std::optional<char16_t> ControlOfLetter(char letter) {
    if (letter == '.') {
        return std::nullopt;
    }
    const std::size_t found = kControlLetters.find(letter);
    if (found == std::string_view::npos) {
        return std::nullopt;
    }
    return static_cast<char16_t>(found);
}

// Reads the number of a \x or octal escape: at most maxDigits digits of the base.
std::size_t ReadNumber(std::string_view line, std::size_t pos, int base, int maxDigits,
                       char16_t* value) {
    std::size_t digits = 0;
    unsigned number = 0;
    while (pos + digits < line.size() && static_cast<int>(digits) < maxDigits) {
        const char c = line[pos + digits];
        const bool valid = base == 16 ? IsHexDigit(static_cast<unsigned char>(c)) : IsOctalDigit(c);
        if (!valid) {
            break;
        }
        number = number * base + DigitValue(c);
        ++digits;
    }
    *value = static_cast<char16_t>(number);
    return digits;
}

}  // namespace

std::optional<UnescapedText> UnescapeHiveText(std::string_view line, std::size_t start,
                                              char terminator, std::string* error) {
    UnescapedText result;
    result.text.reserve(line.size() - std::min(start, line.size()));
    std::string plain;  // unescaped bytes waiting to be read as UTF-8
    auto flushPlain = [&] {
        if (!plain.empty()) {
            result.text += Utf8ToUtf16(plain);
            plain.clear();
        }
    };
    for (std::size_t pos = start; pos < line.size();) {
        const char c = line[pos];
        if (c == terminator) {
            flushPlain();
            result.end = pos + 1;
            return result;
        }
        if (c != '\\') {
            if (static_cast<unsigned char>(c) < 0x80) {
                flushPlain();
                result.text += static_cast<char16_t>(c);  // ASCII needs no decoding
            } else {
                plain += c;
            }
            ++pos;
            continue;
        }
        flushPlain();
        if (pos + 1 >= line.size()) {
            break;
        }
        const char escaped = line[pos + 1];
        pos += 2;
        char16_t value = 0;
        if (escaped == 'x') {
            const std::size_t digits = ReadNumber(line, pos, 16, 4, &value);
            if (digits == 0) {
                *error = "bad escape \"\\x\" without hexadecimal digits";
                return std::nullopt;
            }
            pos += digits;
        } else if (IsOctalDigit(escaped)) {
            pos += ReadNumber(line, pos - 1, 8, 3, &value) - 1;
        } else if (const auto control = ControlOfLetter(escaped)) {
            value = *control;
        } else if (escaped == '\\' || escaped == '"' || escaped == '[' || escaped == ']' ||
                   escaped == terminator) {
            value = static_cast<unsigned char>(escaped);
        } else {
            *error = std::string("bad escape \"\\") + escaped + "\"";
            return std::nullopt;
        }
        result.text += value;
    }
    *error = std::string("missing closing '") + terminator + "'";
    return std::nullopt;
}

std::string EscapeHiveText(std::u16string_view text, std::string_view specials) {
    std::string out;
    out.reserve(text.size());
    char buffer[16];
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        const bool nextIs = i + 1 < text.size();
        if (c > 127) {
            // Four digits when a hexadecimal digit follows, so that it is not read as part of it.
            const bool pad = nextIs && IsHexDigit(text[i + 1]);
            std::snprintf(buffer, sizeof buffer, pad ? "\\x%04x" : "\\x%x", unsigned{c});
            out += buffer;
        } else if (c < 32) {
            if (kControlLetters[c] != '.') {
                out += '\\';
                out += kControlLetters[c];
            } else {
                const bool pad = nextIs && IsOctalDigit(text[i + 1]);
                std::snprintf(buffer, sizeof buffer, pad ? "\\%03o" : "\\%o", unsigned{c});
                out += buffer;
            }
        } else {
            if (c == '\\' || specials.find(static_cast<char>(c)) != std::string_view::npos) {
                out += '\\';
            }
            out += static_cast<char>(c);
        }
    }
    return out;
}

}  // namespace platform
