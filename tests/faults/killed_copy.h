#pragma once

#include <chrono>
#include <functional>
#include <optional>

// Runs work in a forked copy of the test process, as a second run of the program over the same
// files, and kills the copy with SIGKILL after `killAfter` (without it, waits for the end). True
// when the copy finished its work before it was killed.
bool RunInKilledCopy(const std::function<void()>& work,
                     std::optional<std::chrono::microseconds> killAfter);

// How long work takes in such a copy when nothing kills it.
std::chrono::microseconds TimeInCopy(const std::function<void()>& work);
