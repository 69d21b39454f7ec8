#include "server/definitions_server_process.h"

#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace {

namespace fs = std::filesystem;

constexpr int kStartTimeoutMs = 10'000;

std::vector<std::string> ReadLines(const fs::path& path) {
    std::vector<std::string> lines;
    std::ifstream file(path, std::ios::binary);
    for (std::string line; std::getline(file, line);) {
        lines.push_back(line);
    }
    return lines;
}

fs::path MakeScratchFolder() {
    std::string pattern = (fs::temp_directory_path() / "tollenwark-server-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot make a folder for the definitions server");
    }
    return pattern;
}

std::vector<char*> CommandLine(const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(TOLLENWARK_TEST_SERVER_PATH));
    for (const auto& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    return argv;
}

// Runs in the forked child, so it only makes system calls.
[[noreturn]] void BecomeServer(int stdoutPipe, const std::vector<char*>& argv) {
    prctl(PR_SET_PDEATHSIG, SIGKILL);  // never outlive the test that started it
    dup2(stdoutPipe, STDOUT_FILENO);
    execv(argv[0], argv.data());
    _exit(127);
}

// Reads the server's "port <n>" line; 0 when it does not come in time.
int ReadAnnouncedPort(int stdoutPipe) {
    std::string line;
    pollfd waiting{stdoutPipe, POLLIN, 0};
    while (line.find('\n') == std::string::npos && poll(&waiting, 1, kStartTimeoutMs) > 0) {
        char buffer[64];
        const ssize_t count = read(stdoutPipe, buffer, sizeof buffer);
        if (count <= 0) {
            break;
        }
        line.append(buffer, static_cast<std::size_t>(count));
    }
    return line.rfind("port ", 0) == 0 ? std::atoi(line.c_str() + 5) : 0;
}

}  // namespace

DefinitionsServerProcess::DefinitionsServerProcess(DefinitionsServerOptions options)
    : options_(std::move(options)) {
    if (options_.root.empty() || options_.logFolder.empty()) {
        scratch_ = MakeScratchFolder();
    }
    if (options_.root.empty()) {
        options_.root = scratch_ / "files";
    }
    if (options_.logFolder.empty()) {
        options_.logFolder = scratch_ / "logs";
    }
    fs::create_directories(options_.root);
    fs::create_directories(options_.logFolder);
    Start();
}

DefinitionsServerProcess::~DefinitionsServerProcess() {
    Stop();
    if (!scratch_.empty()) {
        std::error_code ignored;
        fs::remove_all(scratch_, ignored);
    }
}

void DefinitionsServerProcess::Start() {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        throw std::runtime_error("cannot make a pipe for the definitions server");
    }
    const std::vector<std::string> arguments = ToArguments(options_);
    const std::vector<char*> argv = CommandLine(arguments);
    pid_ = fork();
    if (pid_ == 0) {
        close(pipeEnds[0]);
        BecomeServer(pipeEnds[1], argv);
    }
    close(pipeEnds[1]);
    port_ = pid_ > 0 ? ReadAnnouncedPort(pipeEnds[0]) : 0;
    close(pipeEnds[0]);
    if (port_ <= 0) {
        Stop();
        throw std::runtime_error("the definitions server did not start");
    }
}

void DefinitionsServerProcess::Stop() {
    if (pid_ > 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }
}

std::string DefinitionsServerProcess::BaseUrl() const {
    return "http://127.0.0.1:" + std::to_string(port_);
}

void DefinitionsServerProcess::Serve(const fs::path& relativePath,
                                     const std::string& contents) const {
    const fs::path path = options_.root / relativePath;
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << contents;
}

std::vector<std::string> DefinitionsServerProcess::RequestLines() const {
    return ReadLines(options_.logFolder / "requests.log");
}

std::vector<std::string> DefinitionsServerProcess::Submissions() const {
    return ReadLines(options_.logFolder / "submissions.log");
}

std::vector<std::string> DefinitionsServerProcess::ClosedConnections() const {
    return ReadLines(options_.logFolder / "closed.log");
}
