#include "support/utf16_le.h"

#include "platform/hive_utf16.h"

namespace test_support {

std::string Utf8FromUtf16Le(std::string_view bytes) {
    std::u16string units;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        units += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                       static_cast<unsigned char>(bytes[i + 1]) << 8);
    }
    if (units.starts_with(u'\xFEFF')) {
        units.erase(0, 1);
    }
    return platform::Utf16ToUtf8(units);
}

}  // namespace test_support
