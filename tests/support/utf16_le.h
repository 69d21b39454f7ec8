#pragma once

#include <string>
#include <string_view>

namespace test_support {

// The UTF-8 text of UTF-16LE bytes, as Wine's registry tool writes its files; a leading byte-order
// mark is left out.
std::string Utf8FromUtf16Le(std::string_view bytes);

}  // namespace test_support
