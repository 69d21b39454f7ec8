// A cookie file of the browser: its name and its lines, read as the cookie scan reads them.
#include <filesystem>
#include <string>
#include <vector>

#include "engine/cookie_files.h"
#include "engine/cookie_scan.h"
#include "foundation/cookie_hosts.h"
#include "platform/text_encoding.h"
#include "support/fuzz_environment.h"

namespace {

constexpr std::string_view kDefaultName = "tester@doubleclick[1].txt";

// The first line of the input names the file (when the host can hold such a name); the rest is
// its content.
struct CookieFile {
    std::string name;
    std::string_view content;
};

bool IsUsableName(std::string_view name) {
    return !name.empty() && name.size() < 200 && name != "." && name != ".." &&
           name.find_first_of(std::string_view("/\\\0\r", 4)) == std::string_view::npos;
}

CookieFile SplitInput(std::string_view input) {
    const std::size_t end = input.find('\n');
    if (end == std::string_view::npos) {
        return {std::string(kDefaultName), input};
    }
    std::string name = platform::Windows1252ToUtf8(input.substr(0, end));
    return {IsUsableName(name) ? name : std::string(kDefaultName), input.substr(end + 1)};
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz_support::IsolateProcess();
    std::filesystem::create_directories(fuzz_support::ProgramFolder() / "cookies");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz_support::QuietHost host;
    const CookieFile file = SplitInput(fuzz_support::Bytes(data, size));
    const auto hostPath = fuzz_support::ProgramFolder() / "cookies" / file.name;
    fuzz_support::WriteHostFile(hostPath, file.content);
    const std::string domain = GetCookieDomain(fuzz_support::WindowsPath(hostPath));
    const std::vector<std::string> blocked = {"*doubleclick.net", "*pingbeacon.example", ""};
    IsBlockedCookieHost(blocked, CookieMatchKey(domain));
    std::filesystem::remove(hostPath);
    return 0;
}
