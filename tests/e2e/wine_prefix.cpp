#include "e2e/wine_prefix.h"

#include <gtest/gtest.h>

#include <sstream>

#include "support/wine_test_prefix.h"

namespace e2e {

namespace {

constexpr std::string_view kValueSeparator = "    ";

std::string Trimmed(std::string text) {
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) {
        text.pop_back();
    }
    return text;
}

}  // namespace

WinePrefix::WinePrefix(std::filesystem::path folder) : folder_(std::move(folder)) {
    // Wine's tools run inside the prefix folder (see Export); an empty folder is a new prefix.
    std::filesystem::create_directories(folder_);
    const CommandResult boot = Run({"wineboot", "-i"});
    EXPECT_EQ(boot.exitCode, 0) << boot.output;
    StopServer();
    EXPECT_TRUE(std::filesystem::exists(folder_ / "system.reg")) << "wineboot made no hives";
}

WinePrefix::~WinePrefix() {
    // Whatever a test left running on this prefix ends with it.
    RunCommand({"wineserver", "-k"}, Environment(), std::chrono::seconds(30));
    test_support::KillProcessesOf(folder_);
}

ChildEnvironment WinePrefix::Environment() const {
    ChildEnvironment environment;
    environment.Set("WINEPREFIX", folder_.string());
    // Neither the runtimes that would be downloaded nor any message but a fatal one.
    environment.Set("WINEDLLOVERRIDES", "mscoree=d;mshtml=d");
    environment.Set("WINEDEBUG", "-all");
    environment.Remove("DISPLAY");
    environment.Remove("WAYLAND_DISPLAY");
    return environment;
}

CommandResult WinePrefix::Run(const std::vector<std::string>& command,
                              std::chrono::seconds timeout) const {
    CommandResult result = RunCommand(command, Environment(), timeout, folder_);
    // On a loaded machine Wine now and then fails to start one of its own tools at all ("reg
    // export" once said so in a full parallel run); that says nothing of the prefix, so once more.
    if (result.output.find("Application could not be started") != std::string::npos) {
        result = RunCommand(command, Environment(), timeout, folder_);
    }
    EXPECT_NE(result.exitCode, -1)
        << command.front() << " did not end within " << timeout.count() << " s";
    return result;
}

std::unique_ptr<BackgroundProcess> WinePrefix::RunInBackground(
    const std::vector<std::string>& command, const std::filesystem::path& output) const {
    return std::make_unique<BackgroundProcess>(command, Environment(), output);
}

void WinePrefix::StopServer() const {
    Run({"wineserver", "-k"});
    Run({"wineserver", "-w"});
}

void WinePrefix::AddValue(const std::string& key, const std::string& name, const std::string& data,
                          const std::string& type) const {
    std::vector<std::string> command = {"wine", "reg", "add", key};
    if (name.empty()) {
        command.push_back("/ve");
    } else {
        command.insert(command.end(), {"/v", name});
    }
    command.insert(command.end(), {"/t", type, "/d", data, "/f"});
    const CommandResult result = Run(command);
    ASSERT_EQ(result.exitCode, 0) << "reg add " << key << " " << name << ": " << result.output;
}

std::optional<std::string> WinePrefix::QueryValue(const std::string& key,
                                                  const std::string& name) const {
    const CommandResult result = Run({"wine", "reg", "query", key, "/v", name});
    if (result.exitCode != 0) {
        return std::nullopt;
    }
    // "    <name>    <type>    <data>"
    std::istringstream lines(result.output);
    const std::string start = std::string(kValueSeparator) + name + std::string(kValueSeparator);
    for (std::string line; std::getline(lines, line);) {
        line = Trimmed(line);
        if (line.rfind(start, 0) != 0) {
            continue;
        }
        const std::size_t dataStart = line.find(kValueSeparator, start.size());
        return dataStart == std::string::npos ? ""
                                              : line.substr(dataStart + kValueSeparator.size());
    }
    return std::nullopt;
}

bool WinePrefix::KeyExists(const std::string& key) const {
    return Run({"wine", "reg", "query", key}).exitCode == 0;
}

std::string WinePrefix::Export(const std::string& root) const {
    // A name relative to the prefix folder, where Wine's tools run: a host path would read as a
    // switch.
    const std::filesystem::path file = folder_ / "export.reg";
    const CommandResult result = Run({"wine", "reg", "export", root, "export.reg", "/y"});
    EXPECT_EQ(result.exitCode, 0) << "reg export " << root << ": " << result.output;
    std::string text = Utf8FromUtf16Le(ReadWholeFile(file));
    std::filesystem::remove(file);
    return text;
}

std::filesystem::path WinePrefix::HostPath(const std::string& windowsPath) const {
    std::string relative = windowsPath.substr(windowsPath.find('\\') + 1);
    for (char& c : relative) {
        if (c == '\\') {
            c = '/';
        }
    }
    return folder_ / "drive_c" / relative;
}

std::string WinePrefix::UserProfile() const {
    for (const auto& entry : std::filesystem::directory_iterator(folder_ / "drive_c" / "users")) {
        const std::string name = entry.path().filename().string();
        if (name != "Public" && entry.is_directory()) {
            return "C:\\users\\" + name;
        }
    }
    ADD_FAILURE() << "the prefix has no profile folder";
    return "C:\\users\\unknown";
}

}  // namespace e2e
