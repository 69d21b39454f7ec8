#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "forms/test_host.h"

// What every fuzz target shares: a process of its own in a temporary folder, and the input turned
// into the text the program would hold after reading it.
namespace fuzz_support {

// Gives the process its own home, XDG folders, Wine prefix and program folder in a new temporary
// folder, removed when the process ends, so that fuzzing never reads or writes the user's files.
// Call it once, from LLVMFuzzerInitialize.
void IsolateProcess();

// The host path of the program folder IsolateProcess made.
const std::filesystem::path& ProgramFolder();

// The program's name of a host path: "/tmp/x/y" is "Z:\tmp\x\y".
std::string WindowsPath(const std::filesystem::path& hostPath);

// Replaces a host file by bytes; aborts when it cannot, since the run would test nothing.
void WriteHostFile(const std::filesystem::path& path, std::string_view bytes);

std::string_view Bytes(const std::uint8_t* data, std::size_t size);

// The input as the program holds 8-bit text from a file or the wire: Windows-1252 read as UTF-8.
std::string Windows1252Text(const std::uint8_t* data, std::size_t size);

// A host whose loop does nothing: parsers that yield to the loop need one installed. Make one per
// input, so that its call counter never runs out. A message box it was not told of aborts.
class QuietHost {
  public:
    QuietHost();

  private:
    forms::TestHost host_;
    forms::ScopedHost scope_;
};

// Stops the run with a message when a property of the parser does not hold, so that libFuzzer
// keeps the input as a crash.
void Require(bool holds, std::string_view what);

}  // namespace fuzz_support
