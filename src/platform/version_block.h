#pragma once

#include <string>

namespace platform {

// What an executable's version resource would hold. The values are set at build time (CMake cache
// variables) so a delivery under another name needs no change to the code.
struct VersionBlock {
    std::string productName;
    std::string companyName;
    std::string comments;  // the product's web domain
    int major = 0;
    int minor = 0;
};

// The version block of this build.
const VersionBlock& ProgramVersionBlock();

}  // namespace platform
