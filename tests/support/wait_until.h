#pragma once

#include <chrono>
#include <functional>

namespace test_support {

// Polls the condition until it holds or the time-out passes; whether it held.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout,
               std::chrono::milliseconds interval = std::chrono::milliseconds(200));

}  // namespace test_support
