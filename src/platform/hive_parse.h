#pragma once

#include <string>
#include <string_view>

#include "platform/hive_tree.h"

namespace platform {

// Reads a hive file's text. Nothing is lost: a line that cannot be read is kept as it stood and
// reported in the hive's diagnostics with fileName and its line number.
Hive ParseHive(std::string_view text, const std::string& fileName);

}  // namespace platform
