#include "support/fuzz_environment.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <system_error>

#include "platform/fresh_prefix.h"
#include "platform/text_encoding.h"
#include "support/user_folders.h"

namespace fs = std::filesystem;

namespace fuzz_support {
namespace {

fs::path& RunFolder() {
    static fs::path folder;
    return folder;
}

void RemoveRunFolder() {
    std::error_code ignored;
    fs::remove_all(RunFolder(), ignored);
}

[[noreturn]] void Stop(std::string_view what) {
    std::fprintf(stderr, "fuzz: %.*s\n", static_cast<int>(what.size()), what.data());
    std::abort();
}

fs::path MakeFolder(const char* name) {
    const fs::path path = RunFolder() / name;
    std::error_code error;
    fs::create_directories(path, error);
    if (error) {
        Stop("cannot make " + path.string() + ": " + error.message());
    }
    return path;
}

void SetVariable(const char* name, const fs::path& value) {
    if (::setenv(name, value.c_str(), 1) != 0) {
        Stop(std::string("cannot set ") + name);
    }
}

}  // namespace

void IsolateProcess() {
    std::string pattern = (fs::temp_directory_path() / "tollenwark-fuzz-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        Stop("cannot make a temporary folder");
    }
    RunFolder() = pattern;
    std::atexit(RemoveRunFolder);
    for (const auto& [variable, folder] : test_support::kUserFolderVariables) {
        SetVariable(variable, MakeFolder(folder));
    }
    SetVariable("TOLLENWARK_PROGRAM_FOLDER", MakeFolder("program"));
    const fs::path prefix = MakeFolder("wine-prefix");
    SetVariable("WINEPREFIX", prefix);
    if (platform::LayDownFreshPrefix(prefix, "tester") != 0) {
        Stop("cannot lay down a prefix");
    }
}

const fs::path& ProgramFolder() {
    static const fs::path folder = RunFolder() / "program";
    return folder;
}

std::string WindowsPath(const fs::path& hostPath) {
    std::string path = "Z:" + hostPath.string();
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

void WriteHostFile(const fs::path& path, std::string_view bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file.flush()) {
        Stop("cannot write " + path.string());
    }
}

std::string_view Bytes(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

std::string Windows1252Text(const std::uint8_t* data, std::size_t size) {
    return platform::Windows1252ToUtf8(Bytes(data, size));
}

QuietHost::QuietHost()
    : host_([](const std::string& message) { Stop("unexpected in the loop: " + message); }),
      scope_(host_) {}

void Require(bool holds, std::string_view what) {
    if (!holds) {
        Stop(what);
    }
}

}  // namespace fuzz_support
