#pragma once

#include <string>
#include <string_view>

// The Windows path of a file in the program folder ("Z:\opt\tollenwark\date.dat").
std::string ProgramFolderFile(std::string_view fileName);
