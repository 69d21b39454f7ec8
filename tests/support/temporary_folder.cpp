#include "support/temporary_folder.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <fstream>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace test_support {

TemporaryFolder::TemporaryFolder(std::string_view label, const fs::path& parent) {
    const std::string pattern =
        ((parent.empty() ? fs::temp_directory_path() : parent) / (std::string(label) + "-XXXXXX"))
            .string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    if (::mkdtemp(name.data()) == nullptr) {
        ADD_FAILURE() << "cannot make a temporary folder from " << pattern;
    }
    path_ = name.data();
}

TemporaryFolder::~TemporaryFolder() {
    RemoveTree(path_);
}

fs::path TemporaryFolder::WriteFile(const fs::path& relative, std::string_view bytes) const {
    const fs::path file = path_ / relative;
    WriteHostFile(file, bytes);
    return file;
}

void WriteHostFile(const fs::path& path, std::string_view bytes) {
    std::error_code error;
    fs::create_directories(path.parent_path(), error);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        ADD_FAILURE() << "cannot write " << path;
    }
}

std::string ReadHostFileOrEmpty(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

void RemoveTree(const fs::path& path) {
    std::error_code error;
    if (path.empty() || !fs::exists(fs::symlink_status(path, error))) {
        return;
    }
    for (fs::recursive_directory_iterator it(path, error), end; !error && it != end;
         it.increment(error)) {
        if (it->is_directory(error) && !it->is_symlink(error)) {
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, error);
        }
    }
    fs::permissions(path, fs::perms::owner_all, fs::perm_options::add, error);
    fs::remove_all(path, error);
}

}  // namespace test_support
