#include "bench_definitions.h"

#include "foundation/line_codec.h"
#include "platform/text_encoding.h"

namespace bench {
namespace {

std::string Threat(int i) {
    return "Threat " + std::to_string(i % 500);
}

template <typename Line>
std::vector<std::string> Records(Line line) {
    std::vector<std::string> lines;
    lines.reserve(kRecords);
    for (int i = 0; i < kRecords; ++i) {
        lines.push_back(line(i));
    }
    return lines;
}

}  // namespace

std::string VendorFolder(int i) {
    return "Vendor" + std::to_string(i % 50);
}

std::string RegistryKeyPath(int i) {
    return "Software\\BenchVendor" + std::to_string(i % 50) + "\\Key" + std::to_string(i);
}

std::string CookieHost(int i) {
    return "site" + std::to_string(i);
}

std::vector<std::string> FileRecords() {
    return Records([](int i) {
        return "tool" + std::to_string(i) + ".exe=" + Threat(i) + "|[progfil]" + VendorFolder(i) +
               "|Adware";
    });
}

std::vector<std::string> FolderRecords() {
    return Records([](int i) {
        return "folder" + std::to_string(i) + "=" + Threat(i) + "|[progfil]" + VendorFolder(i) +
               "\\Folder" + std::to_string(i) + "|Adware";
    });
}

std::vector<std::string> RegistryRecords() {
    return Records(
        [](int i) { return "2^" + RegistryKeyPath(i) + "^Value=" + Threat(i) + "|Bench entry"; });
}

std::vector<std::string> ProgramRecords() {
    return Records([](int i) {
        return "prog" + std::to_string(i) + ".exe=" + Threat(i) + "|[progfil]" + VendorFolder(i);
    });
}

// Every hundredth host names a site; the sites below kCookieFiles have a cookie file.
std::vector<std::string> BlockedCookieRecords() {
    return Records([](int i) {
        return i % kHitEvery == 0 ? CookieHost(i) + ".com" : "tracker" + std::to_string(i) + ".net";
    });
}

std::string EncodedDefinitionFile(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) {
        bytes += platform::Utf8ToWindows1252(EncodeLine(line)) + "\r\n";
    }
    return bytes;
}

}  // namespace bench
