#include "platform/http_address.h"

namespace platform {
namespace {

bool MustEscape(unsigned char byte) {
    return byte <= 0x20 || byte >= 0x7F || byte == '#';
}

}  // namespace

std::string EscapeAddressForRequestLine(std::string_view address) {
    static constexpr char kHexDigits[] = "0123456789ABCDEF";
    std::string escaped;
    escaped.reserve(address.size());
    for (const char character : address) {
        const auto byte = static_cast<unsigned char>(character);
        if (MustEscape(byte)) {
            escaped += '%';
            escaped += kHexDigits[byte >> 4];
            escaped += kHexDigits[byte & 0x0F];
        } else {
            escaped += character;
        }
    }
    return escaped;
}

}  // namespace platform
