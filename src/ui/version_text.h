#pragma once

#include <string>

#include "platform/version_block.h"

// The version as the windows show it: major "." minor, each in decimal digits without leading
// zeros, so minor version 5 shows as "2.5" and minor version 10 as "2.10".
std::string VersionText(const platform::VersionBlock& block);
