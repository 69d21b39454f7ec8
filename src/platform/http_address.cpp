#include "platform/http_address.h"

namespace platform {
namespace {

template <typename MustEscape>
std::string Escape(std::string_view text, MustEscape mustEscape) {
    static constexpr char kHexDigits[] = "0123456789ABCDEF";
    std::string escaped;
    escaped.reserve(text.size());
    for (const char character : text) {
        const auto byte = static_cast<unsigned char>(character);
        if (mustEscape(byte)) {
            escaped += '%';
            escaped += kHexDigits[byte >> 4];
            escaped += kHexDigits[byte & 0x0F];
        } else {
            escaped += character;
        }
    }
    return escaped;
}

}  // namespace

std::string EscapeAddressForRequestLine(std::string_view address) {
    return Escape(address,
                  [](unsigned char byte) { return byte <= 0x20 || byte >= 0x7F || byte == '#'; });
}

std::string EscapeQueryValue(std::string_view value) {
    static constexpr std::string_view kReserved = ":/?#[]@!$&'()*+,;=%";
    return Escape(value, [](unsigned char byte) {
        return kReserved.find(static_cast<char>(byte)) != std::string_view::npos;
    });
}

}  // namespace platform
