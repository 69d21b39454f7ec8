#pragma once

#include <functional>

#include "platform/hive_edit.h"
#include "platform/hive_tree.h"

namespace platform {

// Where a hive lives: in memory, or in a file that other processes may change.
class HiveStore {
  public:
    virtual ~HiveStore() = default;

    // The hive as it stands now.
    virtual Hive& Current() = 0;
    // ERROR_SUCCESS when the account may write the hive, else why it may not.
    virtual long WritePermission() = 0;
    // Applies a change and stores it. The change returns ERROR_SUCCESS once it changed the hive,
    // or an error having changed nothing. When the hive cannot be stored, the error is returned and
    // the hive stays as it was.
    virtual long Change(const std::function<long(Hive&)>& change) = 0;
    // Makes one edit (see ApplyHiveEdit) and stores it, as Change does; a store whose file another
    // process holds may store it through that process.
    virtual long Edit(const HiveEdit& edit) {
        return Change([&](Hive& hive) { return ApplyHiveEdit(hive, edit); });
    }
    // While held, Current() gives the hive as it stood when the hold began (see
    // Registry::HoldHives).
    virtual void Hold(bool hold) = 0;
};

class MemoryHiveStore : public HiveStore {
  public:
    Hive& Current() override { return hive_; }
    long WritePermission() override { return readOnly_ ? ERROR_ACCESS_DENIED : ERROR_SUCCESS; }
    long Change(const std::function<long(Hive&)>& change) override {
        return readOnly_ ? ERROR_ACCESS_DENIED : change(hive_);
    }
    void Hold(bool) override {}  // nothing else changes it

    // Stands in for a hive the account may only read.
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }

  private:
    Hive hive_;
    bool readOnly_ = false;
};

}  // namespace platform
