#pragma once

#include <cstdio>
#include <limits>
#include <string>

#include "forms/form_registry.h"
#include "forms/test_host.h"

namespace bench {

// The headless host for one benchmark: its yields cost only the call. Its forms go with it.
class TestHostScope {
  public:
    TestHostScope() { host_.SetDoEventsLimit(std::numeric_limits<int>::max()); }
    ~TestHostScope() { forms::DestroyAllForms(); }
    TestHostScope(const TestHostScope&) = delete;
    TestHostScope& operator=(const TestHostScope&) = delete;

  private:
    forms::TestHost host_{[](const std::string& message) {
        std::fprintf(stderr, "unexpected: %s\n", message.c_str());
    }};
    forms::ScopedHost installed_{host_};
};

}  // namespace bench
