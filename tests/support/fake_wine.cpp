#include "support/fake_wine.h"

#include <chrono>
#include <filesystem>
#include <sstream>

#include "platform/wine_tool.h"
#include "support/utf16_le.h"

namespace test_support {
namespace {

// A file argument "\\?\unix\tmp\x.reg" names the host file /tmp/x.reg.
std::string Script(const std::filesystem::path& folder, FakeWine::Behaviour behaviour) {
    const std::string start = "#!/bin/sh\necho \"$*\" >> '" + (folder / "runs.txt").string() +
                              "'\nhost() { printf '%s' \"$1\" | sed 's/^\\\\\\\\?\\\\unix//; "
                              "s/\\\\/\\//g'; }\n";
    switch (behaviour) {
        case FakeWine::Behaviour::Hangs:
            return start + "exec sleep 60\n";
        case FakeWine::Behaviour::Fails:
            return start + "echo 'reg: failed' >&2\nexit 1\n";
        default:
            return start + "case \"$2\" in\n  import) cat \"$(host \"$3\")\" >> '" +
                   (folder / "imported.txt").string() +
                   "' ;;\n  export) echo \"exported $3\" > \"$(host \"$4\")\" ;;\nesac\n";
    }
}

}  // namespace

FakeWine::FakeWine(Behaviour behaviour) : wine_("WINE", (folder_.path() / "wine").string()) {
    std::filesystem::permissions(folder_.WriteFile("wine", Script(folder_.path(), behaviour)),
                                 std::filesystem::perms::owner_exec,
                                 std::filesystem::perm_options::add);
    if (behaviour == Behaviour::Hangs) {
        platform::SetWineToolDeadlineForTests(std::chrono::milliseconds(300));
    }
}

FakeWine::~FakeWine() {
    platform::SetWineToolDeadlineForTests(std::chrono::milliseconds(0));
}

std::vector<std::string> FakeWine::Runs() const {
    std::vector<std::string> runs;
    std::istringstream lines(ReadHostFileOrEmpty(folder_.path() / "runs.txt"));
    for (std::string line; std::getline(lines, line);) {
        runs.push_back(line);
    }
    return runs;
}

// Each file is UTF-16LE with a byte-order mark: the marks of the files after the first are left in
// the joined text, and go.
std::string FakeWine::Imported() const {
    std::string text = Utf8FromUtf16Le(ReadHostFileOrEmpty(folder_.path() / "imported.txt"));
    static constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    for (std::size_t at = text.find(kByteOrderMark); at != std::string::npos;
         at = text.find(kByteOrderMark, at)) {
        text.erase(at, kByteOrderMark.size());
    }
    return text;
}

}  // namespace test_support
