#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>

#include "support/scoped_environment.h"
#include "support/temporary_folder.h"

// A small disk of its own (a tmpfs) that a test can fill to the last bytes. While it lives it is
// the temporary folder of the process (TMPDIR), so the prefixes, program folders and settings
// that a test makes afterwards all lie on it. Mounting needs the right to mount, which the test
// machines give; Mounted() says whether it worked.
class SmallDisk {
  public:
    explicit SmallDisk(std::size_t bytes);
    ~SmallDisk();
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool Mounted() const { return mounted_; }
    const std::filesystem::path& path() const { return mountPoint_.path(); }

    // Takes all the free space but `bytes` with a filler file (none: the disk is full).
    void FillLeaving(std::size_t bytes = 0);
    // Gives the filler's space back.
    void Free();

  private:
    std::filesystem::path Filler() const { return path() / "filler"; }

    test_support::TemporaryFolder mountPoint_{"tollenwark-small-disk"};
    bool mounted_ = false;
    std::unique_ptr<test_support::ScopedEnvironmentVariable> temporaryFolder_;
};
