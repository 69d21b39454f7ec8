#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "support/scoped_environment.h"
#include "support/temporary_folder.h"

namespace test_support {

// An empty program folder, made the program's folder (TOLLENWARK_PROGRAM_FOLDER) for its lifetime.
class TemporaryProgramFolder {
  public:
    TemporaryProgramFolder();

    const std::filesystem::path& path() const { return folder_.path(); }
    // The folder as the program names it ("Z:\tmp\...").
    std::string windowsPath() const;
    std::filesystem::path WriteFile(const std::filesystem::path& relative,
                                    std::string_view bytes) const {
        return folder_.WriteFile(relative, bytes);
    }

  private:
    TemporaryFolder folder_;
    ScopedEnvironmentVariable variable_;
};

}  // namespace test_support
