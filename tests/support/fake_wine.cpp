#include "support/fake_wine.h"

#include <chrono>
#include <filesystem>
#include <sstream>

#include "platform/hive_utf16.h"
#include "platform/wine_tool.h"

namespace test_support {
namespace {

// The host path of "\\?\unix\tmp\x.reg" is its last argument but "/y" with the prefix cut and
// the backslashes turned.
std::string Script(const std::filesystem::path& folder, FakeWine::Behaviour behaviour) {
    const std::string log = (folder / "runs.txt").string();
    const std::string imported = (folder / "imported.txt").string();
    std::string script = "#!/bin/sh\necho \"$*\" >> '" + log + "'\n";
    if (behaviour == FakeWine::Behaviour::Hangs) {
        return script + "exec sleep 60\n";
    }
    if (behaviour == FakeWine::Behaviour::Fails) {
        return script + "echo 'reg: failed' >&2\nexit 1\n";
    }
    return script +
           "file=$(printf '%s' \"$4\" | sed 's/^\\\\\\\\?\\\\unix//; s/\\\\/\\//g')\n"
           "case \"$2\" in\n"
           "  import) file=$(printf '%s' \"$3\" | sed 's/^\\\\\\\\?\\\\unix//; s/\\\\/\\//g');"
           " cat \"$file\" >> '" +
           imported +
           "' ;;\n"
           "  export) echo \"exported $3\" > \"$file\" ;;\n"
           "esac\n";
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        lines.push_back(line);
    }
    return lines;
}

}  // namespace

FakeWine::FakeWine(Behaviour behaviour) : wine_("WINE", (folder_.path() / "wine").string()) {
    const auto script = folder_.WriteFile("wine", Script(folder_.path(), behaviour));
    std::filesystem::permissions(script, std::filesystem::perms::owner_exec,
                                 std::filesystem::perm_options::add);
    if (behaviour == Behaviour::Hangs) {
        platform::SetWineToolDeadlineForTests(std::chrono::milliseconds(300));
    }
}

FakeWine::~FakeWine() {
    platform::SetWineToolDeadlineForTests(std::chrono::milliseconds(0));
}

std::vector<std::string> FakeWine::Runs() const {
    return Lines(ReadHostFileOrEmpty(folder_.path() / "runs.txt"));
}

// Each file is UTF-16LE with a byte-order mark.
std::string FakeWine::Imported() const {
    const std::string bytes = ReadHostFileOrEmpty(folder_.path() / "imported.txt");
    std::u16string units;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const char16_t unit = static_cast<unsigned char>(bytes[i]) |
                              static_cast<char16_t>(static_cast<unsigned char>(bytes[i + 1]) << 8);
        if (unit != 0xFEFF) {
            units += unit;
        }
    }
    return platform::Utf16ToUtf8(units);
}

}  // namespace test_support
