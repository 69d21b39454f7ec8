#pragma once

#include "foundation/http_access.h"

namespace test_support {

// The program's requests run under these limits for the life of the object, so that a test of a
// silent or slow server ends in a moment; the previous limits come back afterwards.
class ScopedHttpLimits {
  public:
    explicit ScopedHttpLimits(const platform::HttpLimits& limits)
        : previous_(SetHttpLimitsForTests(limits)) {}
    ~ScopedHttpLimits() { SetHttpLimitsForTests(previous_); }
    ScopedHttpLimits(const ScopedHttpLimits&) = delete;
    ScopedHttpLimits& operator=(const ScopedHttpLimits&) = delete;

  private:
    platform::HttpLimits previous_;
};

// Limits short enough for tests: a second to connect, half a second of silence.
inline platform::HttpLimits QuickHttpLimits() {
    platform::HttpLimits limits;
    limits.connectTimeout = std::chrono::milliseconds(1000);
    limits.stallTimeout = std::chrono::milliseconds(500);
    return limits;
}

}  // namespace test_support
