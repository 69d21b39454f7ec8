#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Writes registry text in Wine's hive file format ("WINE REGISTRY Version 2"), for laying down the
// hives of a new prefix without needing a registry.
namespace platform {

class WineHiveText {
  public:
    // relativeTo: the hive's place in the registry, such as "REGISTRY\Machine".
    WineHiveText(std::string_view relativeTo, std::int64_t unixTime);

    // Starts a key; the values written next belong to it.
    void Key(std::string_view path);
    void String(std::string_view name, std::string_view value);
    void ExpandString(std::string_view name, std::string_view value);

    const std::string& text() const { return text_; }

  private:
    std::int64_t unixTime_;
    std::string text_;
};

// Text in Wine's quoting: "\" and quote marks escaped, characters beyond ASCII as \xNNNN.
std::string QuoteForWineHive(std::string_view text);

}  // namespace platform
