#include "support/temporary_program_folder.h"

#include "platform/application.h"

namespace test_support {

TemporaryProgramFolder::TemporaryProgramFolder()
    : folder_("tollenwark-program"),
      variable_("TOLLENWARK_PROGRAM_FOLDER", folder_.path().string()) {}

std::string TemporaryProgramFolder::windowsPath() const {
    return platform::ProgramFolder();
}

}  // namespace test_support
