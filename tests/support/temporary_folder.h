#pragma once

#include <filesystem>
#include <string_view>

namespace test_support {

// A new empty folder under the system's temporary folder (or the parent given, for another file
// system), removed with everything in it.
class TemporaryFolder {
  public:
    explicit TemporaryFolder(std::string_view label = "tollenwark",
                             const std::filesystem::path& parent = {});
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

    // Writes a file below the folder (making the folders above it); returns its path.
    std::filesystem::path WriteFile(const std::filesystem::path& relative,
                                    std::string_view bytes) const;

  private:
    std::filesystem::path path_;
};

// Writes bytes to a host file, making its folders; fails the test when it cannot.
void WriteHostFile(const std::filesystem::path& path, std::string_view bytes);
std::string ReadHostFileOrEmpty(const std::filesystem::path& path);

// Removes a tree even where tests took the owner's write bits away.
void RemoveTree(const std::filesystem::path& path);

}  // namespace test_support
