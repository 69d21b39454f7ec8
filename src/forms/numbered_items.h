#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "forms/errors.h"

namespace forms {

// The item at a 1-based index of a control's collection (rows, columns, tabs, panels); throws
// IndexOutOfRange naming the item and its control when there is none.
template <class T>
T& NumberedItem(const std::vector<std::unique_ptr<T>>& items, int index, std::string_view what,
                const std::string& owner) {
    if (index < 1 || index > static_cast<int>(items.size())) {
        throw IndexOutOfRange(std::string(what) + " " + std::to_string(index) + " of " + owner +
                              " does not exist (there are " + std::to_string(items.size()) + ")");
    }
    return *items[index - 1];
}

}  // namespace forms
