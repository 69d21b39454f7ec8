#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/registry.h"

// The environment variables that Windows programs of a prefix see, as far as folder values stored
// with references (%USERPROFILE%\Documents) need them.
namespace platform {

class WindowsEnvironment {
  public:
    // Names compare without letter case; a later Set replaces the value.
    void Set(std::string_view name, std::string value);
    std::optional<std::string> Get(std::string_view name) const;

    // Replaces each %NAME% by its value (values may refer to others); references to unknown
    // variables stay as written, as Windows leaves them.
    std::string Expand(std::string_view text) const;

  private:
    std::string ExpandNested(std::string_view text, int depth) const;

    std::vector<std::pair<std::string, std::string>> variables_;
};

// The variables of a fresh installation that do not depend on the user (SystemRoot, ProgramData).
WindowsEnvironment SystemEnvironment();

// The variables of a profile at userProfile (such as "C:\users\bob") on a fresh installation.
WindowsEnvironment ProfileEnvironment(std::string_view userProfile);

// The profile folder of the prefix's user: from the registry's profile list, else
// "C:\users\<fallbackUserName>".
std::string UserProfileFolder(Registry& registry, std::string_view fallbackUserName);

// The environment of the prefix's user: the profile's variables, overlaid by the machine's and then
// the user's stored environment and the program folders the registry names.
WindowsEnvironment PrefixEnvironment(Registry& registry, std::string_view fallbackUserName);

}  // namespace platform
