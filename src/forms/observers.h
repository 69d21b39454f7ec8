#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

namespace forms {

using ObserverId = std::uint64_t;

// A list of callbacks told about changes. A callback may add or remove observers (itself
// included) while it is being told; one removed during a notification is not called afterwards.
template <class... Args>
class Observers {
  public:
    using Callback = std::function<void(Args...)>;

    ObserverId Add(Callback callback) {
        const ObserverId id = nextId_++;
        entries_.emplace_back(id, std::move(callback));
        return id;
    }

    void Remove(ObserverId id) {
        std::erase_if(entries_, [id](const auto& entry) { return entry.first == id; });
    }

    bool Empty() const { return entries_.empty(); }

    void Notify(Args... args) const {
        if (entries_.empty()) {
            return;
        }
        std::vector<ObserverId> ids;
        ids.reserve(entries_.size());
        for (const auto& entry : entries_) {
            ids.push_back(entry.first);
        }
        for (ObserverId id : ids) {
            auto found = std::find_if(entries_.begin(), entries_.end(),
                                      [id](const auto& entry) { return entry.first == id; });
            if (found != entries_.end()) {
                Callback callback = found->second;  // the entry may go away while it runs
                callback(args...);
            }
        }
    }

  private:
    std::vector<std::pair<ObserverId, Callback>> entries_;
    ObserverId nextId_ = 1;
};

}  // namespace forms
