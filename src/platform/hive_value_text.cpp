#include "platform/hive_value_text.h"

#include <cstdio>
#include <vector>

#include "platform/hive_escape.h"
#include "platform/hive_utf16.h"

namespace platform {

namespace {

// Wine breaks hex data after a comma once a line passes this width.
constexpr std::size_t kHexLineWidth = 76;

std::size_t SkipBlanks(std::string_view line, std::size_t pos) {
    while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) {
        ++pos;
    }
    return pos;
}

bool OnlyBlanksFrom(std::string_view line, std::size_t pos) {
    return SkipBlanks(line, pos) == line.size();
}

bool StartsWith(std::string_view text, std::size_t pos, std::string_view prefix) {
    return text.substr(pos, prefix.size()) == prefix;
}

std::u16string Utf16Units(const std::vector<std::uint8_t>& bytes) {
    std::u16string text;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        text += static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8));
    }
    return text;
}

bool IsTextType(std::uint32_t type) {
    return type == REG_SZ || type == REG_EXPAND_SZ;
}

// The value a type and its stored form make. Strings hold their text without the final NUL;
// a DWORD its number; every other type its bytes.
RegValue ValueOfBytes(std::uint32_t type, std::vector<std::uint8_t> bytes) {
    RegValue value;
    value.type = type;
    if (IsTextType(type)) {
        std::u16string text = Utf16Units(bytes);
        if (!text.empty() && text.back() == 0) {
            text.pop_back();
        }
        value.text = Utf16ToUtf8(text);
    } else if (type == REG_DWORD && bytes.size() == 4) {
        value.number = bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) |
                       (static_cast<std::uint32_t>(bytes[3]) << 24);
    } else {
        value.data = std::move(bytes);
    }
    return value;
}

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    const char lower = static_cast<char>(c | 0x20);
    return lower >= 'a' && lower <= 'f' ? lower - 'a' + 10 : -1;
}

// Parses "(n):" after "str" or "hex"; pos is moved past it.
bool ParseTypeNumber(std::string_view line, std::size_t* pos, std::uint32_t* type) {
    if (*pos >= line.size() || line[*pos] != '(') {
        return false;
    }
    const std::size_t close = line.find("):", *pos);
    if (close == std::string_view::npos || close == *pos + 1 || close - *pos > 9) {
        return false;
    }
    std::uint32_t number = 0;
    for (std::size_t i = *pos + 1; i < close; ++i) {
        const int digit = HexDigitValue(line[i]);
        if (digit < 0) {
            return false;
        }
        number = number * 16 + digit;
    }
    *type = number;
    *pos = close + 2;
    return true;
}

std::optional<std::vector<std::uint8_t>> ParseHexBytes(std::string_view line, std::size_t pos) {
    std::vector<std::uint8_t> bytes;
    pos = SkipBlanks(line, pos);
    while (pos < line.size()) {
        const int high = HexDigitValue(line[pos]);
        const int low = pos + 1 < line.size() ? HexDigitValue(line[pos + 1]) : -1;
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        bytes.push_back(static_cast<std::uint8_t>(high * 16 + low));
        pos = SkipBlanks(line, pos + 2);
        if (pos < line.size()) {
            if (line[pos] != ',') {
                return std::nullopt;
            }
            pos = SkipBlanks(line, pos + 1);
        }
    }
    return bytes;
}

std::optional<RegValue> ParseString(std::string_view line, std::size_t pos, std::uint32_t type,
                                    std::string* error) {
    if (pos >= line.size() || line[pos] != '"') {
        *error = "expected '\"' to open the string";
        return std::nullopt;
    }
    const auto text = UnescapeHiveText(line, pos + 1, '"', error);
    if (!text) {
        return std::nullopt;
    }
    if (!OnlyBlanksFrom(line, text->end)) {
        *error = "unexpected text after the string";
        return std::nullopt;
    }
    if (IsTextType(type)) {
        RegValue value;
        value.type = type;
        value.text = Utf16ToUtf8(text->text);
        return value;
    }
    std::u16string terminated = text->text;
    terminated += char16_t{0};
    return ValueOfBytes(type, Utf16Bytes(terminated));
}

std::optional<RegValue> ParseDword(std::string_view line, std::size_t pos, std::string* error) {
    const std::size_t end = line.find_first_not_of("0123456789abcdefABCDEF", pos);
    const std::size_t digits = (end == std::string_view::npos ? line.size() : end) - pos;
    if (digits == 0 || digits > 8 || !OnlyBlanksFrom(line, pos + digits)) {
        *error = "a dword needs one to eight hexadecimal digits";
        return std::nullopt;
    }
    return RegValue::Dword(
        static_cast<std::uint32_t>(std::stoul(std::string(line.substr(pos, digits)), nullptr, 16)));
}

std::optional<RegValue> ParseData(std::string_view line, std::size_t pos, std::string* error) {
    std::uint32_t type = REG_SZ;
    if (pos < line.size() && line[pos] == '"') {
        return ParseString(line, pos, REG_SZ, error);
    }
    if (StartsWith(line, pos, "str")) {
        pos += 3;
        if (!ParseTypeNumber(line, &pos, &type)) {
            *error = "expected \"str(<type>):\"";
            return std::nullopt;
        }
        return ParseString(line, pos, type, error);
    }
    if (StartsWith(line, pos, "dword:")) {
        return ParseDword(line, pos + 6, error);
    }
    if (StartsWith(line, pos, "hex")) {
        pos += 3;
        type = REG_BINARY;
        if (StartsWith(line, pos, ":")) {
            ++pos;
        } else if (!ParseTypeNumber(line, &pos, &type)) {
            *error = "expected \"hex:\" or \"hex(<type>):\"";
            return std::nullopt;
        }
        auto bytes = ParseHexBytes(line, pos);
        if (!bytes) {
            *error = "bad hexadecimal data";
            return std::nullopt;
        }
        return ValueOfBytes(type, std::move(*bytes));
    }
    *error = "unknown value type";
    return std::nullopt;
}

void AppendHexData(std::string& out, const std::vector<std::uint8_t>& bytes) {
    std::size_t lineStart = out.rfind('\n') == std::string::npos ? 0 : out.rfind('\n') + 1;
    char digits[3];
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        std::snprintf(digits, sizeof digits, "%02x", unsigned{bytes[i]});
        out += digits;
        if (i + 1 < bytes.size()) {
            out += ',';
            if (out.size() - lineStart > kHexLineWidth) {
                out += "\\\n  ";
                lineStart = out.size() - 2;
            }
        }
    }
}

// The stored form of a value that is not text or a DWORD.
std::vector<std::uint8_t> BytesOf(const RegValue& value) {
    if (IsTextType(value.type)) {
        std::u16string text = Utf8ToUtf16(value.text);
        text += char16_t{0};
        return Utf16Bytes(text);
    }
    return value.data;
}

// A multi-string is written as text when it is whole UTF-16 ending in a NUL, as Wine does.
bool MultiStringAsText(const RegValue& value) {
    const auto& data = value.data;
    return value.type == REG_MULTI_SZ && data.size() >= 2 && data.size() % 2 == 0 &&
           data[data.size() - 1] == 0 && data[data.size() - 2] == 0;
}

// Reads the value's name into result; the position where its data starts.
std::optional<std::size_t> ParseName(std::string_view line, NamedValue* result,
                                     std::string* error) {
    std::size_t pos = SkipBlanks(line, 0);
    if (pos < line.size() && line[pos] == '@') {
        ++pos;
    } else if (pos < line.size() && line[pos] == '"') {
        const auto name = UnescapeHiveText(line, pos + 1, '"', error);
        if (!name) {
            return std::nullopt;
        }
        result->name = Utf16ToUtf8(name->text);
        pos = name->end;
    } else {
        *error = "a value must start with '\"' or '@'";
        return std::nullopt;
    }
    pos = SkipBlanks(line, pos);
    if (pos >= line.size() || line[pos] != '=') {
        *error = "expected '=' after the value's name";
        return std::nullopt;
    }
    return SkipBlanks(line, pos + 1);
}

}  // namespace

std::vector<std::uint8_t> Utf16Bytes(std::u16string_view text) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(text.size() * 2);
    for (const char16_t unit : text) {
        bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    return bytes;
}

void AppendBinaryValueData(std::string& out, const RegValue& value) {
    char prefix[24];
    if (value.type == REG_DWORD && value.data.empty()) {
        std::snprintf(prefix, sizeof prefix, "dword:%08x", unsigned{value.number});
        out += prefix;
        return;
    }
    if (value.type == REG_BINARY) {
        out += "hex:";
    } else {
        std::snprintf(prefix, sizeof prefix, "hex(%x):", unsigned{value.type});
        out += prefix;
    }
    AppendHexData(out, BytesOf(value));
}

bool ValueLineContinues(std::string_view line) {
    const std::size_t last = line.find_last_not_of(" \t");
    if (last == std::string_view::npos || line[last] != '\\') {
        return false;
    }
    NamedValue ignored;
    std::string error;
    const auto data = ParseName(line, &ignored, &error);
    return data && StartsWith(line, *data, "hex");
}

std::optional<NamedValue> ParseValueLine(std::string_view line, std::string* error) {
    NamedValue result;
    const auto data = ParseName(line, &result, error);
    if (!data) {
        return std::nullopt;
    }
    auto value = ParseData(line, *data, error);
    if (!value) {
        return std::nullopt;
    }
    result.value = std::move(*value);
    return result;
}

std::string FormatValueLine(std::string_view name, const RegValue& value) {
    std::string out = name.empty() ? "@=" : "\"" + EscapeHiveText(Utf8ToUtf16(name), "\"") + "\"=";
    if (IsTextType(value.type) || MultiStringAsText(value)) {
        std::u16string text =
            IsTextType(value.type) ? Utf8ToUtf16(value.text) : Utf16Units(value.data);
        if (!IsTextType(value.type)) {
            text.pop_back();  // the final NUL, which the quotes imply
        }
        if (value.type != REG_SZ) {
            char prefix[24];
            std::snprintf(prefix, sizeof prefix, "str(%x):", unsigned{value.type});
            out += prefix;
        }
        out += "\"" + EscapeHiveText(text, "\"") + "\"\n";
        return out;
    }
    AppendBinaryValueData(out, value);
    return out + "\n";
}

}  // namespace platform
