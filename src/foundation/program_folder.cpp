#include "foundation/program_folder.h"

#include "platform/application.h"
#include "platform/machine.h"

std::string ProgramFolderFile(std::string_view fileName) {
    std::string path = platform::ProgramFolder();
    if (path.empty() || path.back() != '\\') {
        path += '\\';
    }
    return path.append(fileName);
}

bool OrdinaryFileFound(std::string_view path) {
    const auto& files = platform::CurrentMachine().files();
    return files.FindFile(path, platform::SearchScope::OrdinaryFiles).has_value();
}
