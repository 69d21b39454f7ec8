#pragma once

#include <string>
#include <string_view>

namespace platform {

// The program builds addresses with raw bytes: names are written with "%20" for blanks by the
// callers themselves, and encoded definition text goes into "data=" as it stands. This escapes
// only what cannot travel in a request line as it is: control bytes, the blank, DEL and bytes
// from 0x80 — and "#", which would otherwise cut the address at a fragment and lose the rest.
// Everything else, "%" included, is left alone.
std::string EscapeAddressForRequestLine(std::string_view address);

// A value as a query carries it: every byte a query reserves ("&", "=", "+", "#", "%" and the other
// delimiters of an address) written "%XX", so that the server's query parser gives back exactly
// these bytes. The rest goes as it is, to be escaped for the request line like any address.
std::string EscapeQueryValue(std::string_view value);

}  // namespace platform
