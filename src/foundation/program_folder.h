#pragma once

#include <string>
#include <string_view>

// The Windows path of a file in the program folder ("Z:\opt\tollenwark\date.dat").
std::string ProgramFolderFile(std::string_view fileName);

// Whether a directory search finds the file, as the program tests that its own files are there:
// ordinary files only, so a hidden or system file and a folder count as missing.
bool OrdinaryFileFound(std::string_view path);
