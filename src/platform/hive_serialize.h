#pragma once

#include <string>

#include "platform/hive_tree.h"

namespace platform {

// Writes a hive in Wine's layout. Keys that did not change are written exactly as they were read
// and in their place; a changed key is written afresh with its time stamp; a new key goes after
// the key before it in the tree.
std::string SerializeHive(const Hive& hive);

}  // namespace platform
