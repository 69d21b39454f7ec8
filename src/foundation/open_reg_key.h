#pragma once

#include <string_view>

#include "platform/registry.h"

// A key of the current machine's registry, closed when the object goes, so that every procedure
// closes what it opened whatever way it leaves.
class OpenRegKey {
  public:
    OpenRegKey();
    ~OpenRegKey();
    OpenRegKey(const OpenRegKey&) = delete;
    OpenRegKey& operator=(const OpenRegKey&) = delete;

    long Open(platform::RegRoot root, std::string_view keyPath, std::uint32_t access);
    // Opens the key with all access, creating it and the keys above it as needed.
    long Create(platform::RegRoot root, std::string_view keyPath);

    platform::Registry& registry() { return registry_; }
    platform::RegHandle handle() const { return handle_; }

  private:
    void Close();

    platform::Registry& registry_;
    platform::RegHandle handle_ = 0;
};
