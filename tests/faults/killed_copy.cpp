#include "killed_copy.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <exception>
#include <thread>

bool RunInKilledCopy(const std::function<void()>& work,
                     std::optional<std::chrono::microseconds> killAfter) {
    const pid_t copy = ::fork();
    if (copy == 0) {
        // The copy must never return into the test runner: it ends here, however work ends.
        try {
            work();
        } catch (...) {
            ::_exit(2);
        }
        ::_exit(0);
    }
    if (copy < 0) {
        return false;
    }
    if (killAfter) {
        std::this_thread::sleep_for(*killAfter);
        ::kill(copy, SIGKILL);
    }
    int status = 0;
    while (::waitpid(copy, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::chrono::microseconds TimeInCopy(const std::function<void()>& work) {
    const auto started = std::chrono::steady_clock::now();
    RunInKilledCopy(work, std::nullopt);
    return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() -
                                                                 started);
}
