#include "support/wine_test_prefix.h"

#include <gtest/gtest.h>
#include <signal.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <thread>

extern char** environ;

namespace test_support {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// The kernel keeps this many characters of a process name.
constexpr std::size_t kCommLength = 15;

// Runs one of Wine's tools on the prefix to its end; false when it fails or does not end in time.
bool RunTool(const std::string& tool, const std::vector<std::string>& arguments,
             const std::vector<std::string>& environment, std::chrono::seconds timeout) {
    ChildProcess child = ChildProcess::Run(tool, arguments, environment);
    const std::optional<int> exitCode = child.WaitForExit(timeout);
    EXPECT_EQ(exitCode, 0) << tool << " failed or did not end within " << timeout.count() << " s";
    return exitCode == 0;
}

std::string Comm(pid_t id) {
    std::ifstream file("/proc/" + std::to_string(id) + "/comm");
    std::string name;
    std::getline(file, name);
    return name;
}

}  // namespace

void KillProcessesOf(const fs::path& prefix) {
    const std::string wanted = "WINEPREFIX=" + prefix.string();
    std::error_code error;
    for (fs::directory_iterator it("/proc", error), end; !error && it != end; it.increment(error)) {
        const std::string id = it->path().filename().string();
        if (!std::ranges::all_of(id, [](char c) { return c >= '0' && c <= '9'; })) {
            continue;
        }
        std::ifstream file(it->path() / "environ", std::ios::binary);
        const std::string environment{std::istreambuf_iterator<char>(file), {}};
        if (environment.starts_with(wanted + '\0') ||
            environment.find('\0' + wanted + '\0') != std::string::npos) {
            ::kill(std::stoi(id), SIGKILL);
        }
    }
}

WineTestPrefix::WineTestPrefix()
    : folder_(std::in_place, "tollenwark-wine"),
      root_(folder_->path()),
      boot_(ChildProcess::Run("wineboot", {"-i"}, Environment())) {}

WineTestPrefix::WineTestPrefix(fs::path folder)
    : root_(std::move(folder)), boot_(ChildProcess::Run("wineboot", {"-i"}, Environment())) {}

WineTestPrefix::~WineTestPrefix() {
    ChildProcess::Run("wineserver", {"-k"}, Environment()).WaitForExit(30s);
    KillProcessesOf(root());
}

bool WineTestPrefix::Ready() {
    if (boot_) {
        const std::optional<int> booted = boot_->WaitForExit(180s);
        boot_.reset();
        EXPECT_EQ(booted, 0) << "wineboot failed or did not end in time";
        // Killing the server makes it write the hives before it ends.
        if (booted != 0 || !RunTool("wineserver", {"-k"}, Environment(), 60s) ||
            !RunTool("wineserver", {"-w"}, Environment(), 60s)) {
            return false;
        }
    }
    EXPECT_TRUE(fs::exists(root() / "system.reg")) << "wineboot made no hives";
    return fs::exists(root() / "system.reg");
}

fs::path WineTestPrefix::DriveC(const fs::path& relative) const {
    return root() / "drive_c" / relative;
}

std::vector<std::string> WineTestPrefix::Environment() const {
    static const std::vector<std::string> kReplaced = {
        "WINEPREFIX=", "WINEDEBUG=", "WINEDLLOVERRIDES=", "DISPLAY=", "WAYLAND_DISPLAY="};
    std::vector<std::string> environment;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string_view text = *entry;
        if (std::ranges::none_of(kReplaced,
                                 [&](const std::string& name) { return text.starts_with(name); })) {
            environment.emplace_back(text);
        }
    }
    environment.push_back("WINEPREFIX=" + root().string());
    environment.push_back("WINEDEBUG=-all");
    // Neither the runtimes that would be downloaded nor a display.
    environment.push_back("WINEDLLOVERRIDES=mscoree=d;mshtml=d");
    return environment;
}

ChildProcess WineTestPrefix::Run(const std::string& program,
                                 const std::vector<std::string>& arguments) const {
    std::vector<std::string> command = {program};
    command.insert(command.end(), arguments.begin(), arguments.end());
    ChildProcess child = ChildProcess::Run("wine", command, Environment());
    // Wine names the process after its Windows program once it has loaded it.
    const std::string name = program.substr(program.rfind('\\') + 1).substr(0, kCommLength);
    const auto deadline = std::chrono::steady_clock::now() + 60s;
    while (Comm(child.id()) != name && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(50ms);
    }
    EXPECT_EQ(Comm(child.id()), name) << program << " did not start under Wine";
    return child;
}

}  // namespace test_support
