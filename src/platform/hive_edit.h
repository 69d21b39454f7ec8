#pragma once

#include <string>
#include <vector>

#include "platform/hive_tree.h"
#include "platform/registry.h"

// One change of a hive, by the path of its key inside the hive: the same change can be made to the
// hive in memory and, while Wine's server holds the hive, sent to Wine's registry tool.
namespace platform {

struct HiveEdit {
    enum class Kind { CreateKey, SetValue, DeleteValue, DeleteKey };
    Kind kind = Kind::CreateKey;
    std::vector<std::string> path;  // the key, from the hive's top
    std::string name;               // the value's name ("" the default value)
    RegValue value;                 // what SetValue sets
};

// Makes the change: ERROR_SUCCESS once the hive changed, else the reason with nothing changed
// (ERROR_KEY_DELETED: the key of a value is gone; ERROR_FILE_NOT_FOUND: nothing to delete).
long ApplyHiveEdit(Hive& hive, const HiveEdit& edit);

}  // namespace platform
