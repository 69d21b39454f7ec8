#include "foundation/program_folder.h"

#include "platform/application.h"

std::string ProgramFolderFile(std::string_view fileName) {
    std::string path = platform::ProgramFolder();
    if (path.empty() || path.back() != '\\') {
        path += '\\';
    }
    return path.append(fileName);
}
