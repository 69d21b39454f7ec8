#include "qt/termination_signal.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>
#include <cerrno>
#include <stdexcept>

namespace frontend {
namespace {

// The signal handler may only write to a pipe; the event loop reads it and runs the handler.
int gSignalPipe[2] = {-1, -1};

void NoteSignal(int) {
    const int savedErrno = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = write(gSignalPipe[1], &byte, 1);
    errno = savedErrno;
}

void DrainPipe() {
    char bytes[16];
    while (read(gSignalPipe[0], bytes, sizeof bytes) > 0) {
    }
}

}  // namespace

void OnTerminationSignal(std::function<void()> ending) {
    if (pipe2(gSignalPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        throw std::runtime_error("cannot make the pipe for the termination signal");
    }
    auto* notifier =
        new QSocketNotifier(gSignalPipe[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [ending = std::move(ending)] {
        DrainPipe();
        ending();
    });
    struct sigaction action {};
    action.sa_handler = NoteSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
}

}  // namespace frontend
