#pragma once

#include <string>
#include <string_view>

namespace test_support {

// The version resource of a program whose version information names the company (Windows-1252
// text), with a description, version and product name beside it.
std::string VersionResource(std::string_view company);

// A minimal 32-bit PE image with one ".rsrc" section holding the given version resource (type 16,
// id 1, language 0x409), laid out as a linker lays it out.
std::string PortableExecutable(const std::string& versionResource);

}  // namespace test_support
