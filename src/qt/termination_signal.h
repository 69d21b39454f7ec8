#pragma once

#include <functional>

namespace frontend {

// Runs `ending` on the event loop when the process is asked to end (SIGTERM, as the system sends
// its programs when the session ends or a service manager stops them), so the program can close
// its windows and save its state instead of vanishing. Call once, after the application exists.
void OnTerminationSignal(std::function<void()> ending);

}  // namespace frontend
