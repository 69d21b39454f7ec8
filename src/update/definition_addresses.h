#pragma once

#include <string>
#include <string_view>

// The addresses of the whole definition files on the product website, which the update button
// lists when pressed with Shift.

// The maker's own website, used when the identity names none.
inline constexpr std::string_view kMakerWebAddress = "http://www.tollenwark.example";

// The website as a base address: "Example.com/some/page" gives "http://www.Example.com"; an empty
// website gives the maker's address.
std::string DefinitionsBaseUrl(std::string_view website);

// The eight addresses of the version pages and definition files below base, each followed by
// CR LF.
std::string DefinitionAddressList(std::string_view base);
