#pragma once

#include <string>

#include "platform/hive_tree.h"

namespace platform {

// Writes a hive in Wine's layout. Keys that did not change are written exactly as they were read
// and in their place; a changed key is written afresh with its time stamp; a new key goes after
// the key before it in the tree. Afterwards the hive describes the text returned, as if read from
// it, so that the next write rewrites only what changes after this one.
std::string WriteHiveText(Hive& hive);

}  // namespace platform
