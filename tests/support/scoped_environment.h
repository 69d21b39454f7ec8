#pragma once

#include <optional>
#include <string>

namespace test_support {

// Sets (or, with nothing, unsets) an environment variable and puts the old value back at the end.
class ScopedEnvironmentVariable {
  public:
    ScopedEnvironmentVariable(std::string name, std::optional<std::string> value);
    ~ScopedEnvironmentVariable();
    ScopedEnvironmentVariable(const ScopedEnvironmentVariable&) = delete;
    ScopedEnvironmentVariable& operator=(const ScopedEnvironmentVariable&) = delete;

  private:
    std::string name_;
    std::optional<std::string> previous_;
};

void SetEnvironmentVariable(const std::string& name, const std::optional<std::string>& value);

}  // namespace test_support
