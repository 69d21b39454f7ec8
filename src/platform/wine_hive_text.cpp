#include "platform/wine_hive_text.h"

#include <cstdio>

#include "platform/text_encoding.h"

namespace platform {
namespace {

// Windows file times count 100-nanosecond steps since 1601.
constexpr std::int64_t kSecondsFrom1601To1970 = 11644473600;
constexpr std::int64_t kFileTimeStepsPerSecond = 10000000;

void AppendCodeUnit(std::string& out, unsigned unit) {
    char escaped[16];
    std::snprintf(escaped, sizeof escaped, "\\x%04x", unit);
    out += escaped;
}

std::string Escaped(std::string_view text) {
    std::string out;
    for (const char32_t character : DecodeUtf8(text)) {
        if (character == U'\\' || character == U'"') {
            out += '\\';
            out += static_cast<char>(character);
        } else if (character >= 0x20 && character < 0x7F) {
            out += static_cast<char>(character);
        } else if (character > 0xFFFF) {
            const char32_t offset = character - 0x10000;
            AppendCodeUnit(out, 0xD800 + (offset >> 10));
            AppendCodeUnit(out, 0xDC00 + (offset & 0x3FF));
        } else {
            AppendCodeUnit(out, character);
        }
    }
    return out;
}

}  // namespace

std::string QuoteForWineHive(std::string_view text) {
    return '"' + Escaped(text) + '"';
}

WineHiveText::WineHiveText(std::string_view relativeTo, std::int64_t unixTime)
    : unixTime_(unixTime),
      text_("WINE REGISTRY Version 2\n;; All keys relative to " + Escaped(relativeTo) +
            "\n\n#arch=win64\n") {}

void WineHiveText::Key(std::string_view path) {
    char time[64];
    std::snprintf(time, sizeof time, "] %lld\n#time=%llx\n", static_cast<long long>(unixTime_),
                  static_cast<unsigned long long>((unixTime_ + kSecondsFrom1601To1970) *
                                                  kFileTimeStepsPerSecond));
    text_ += "\n[" + Escaped(path) + time;
}

void WineHiveText::String(std::string_view name, std::string_view value) {
    text_ += QuoteForWineHive(name) + "=" + QuoteForWineHive(value) + "\n";
}

void WineHiveText::ExpandString(std::string_view name, std::string_view value) {
    text_ += QuoteForWineHive(name) + "=str(2):" + QuoteForWineHive(value) + "\n";
}

}  // namespace platform
