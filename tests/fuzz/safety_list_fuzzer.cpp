// Safety.dat as the scans load it: the file is written to the program folder and read back.
#include <string>

#include "foundation/definition_files.h"
#include "foundation/globals.h"
#include "foundation/line_codec.h"
#include "foundation/safe_list.h"
#include "platform/text_encoding.h"
#include "platform/text_lines.h"
#include "support/fuzz_environment.h"

namespace {

// The input is the plain text of the file; each line is stored encoded, as the vendor ships it.
std::string StoredFile(const std::string& plainText) {
    std::vector<std::string> lines = platform::SplitTextLines(plainText);
    for (std::string& line : lines) {
        line = platform::Utf8ToWindows1252(EncodeLine(line));
    }
    return platform::JoinTextLines(lines);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz_support::IsolateProcess();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz_support::QuietHost host;
    const std::string plainText = fuzz_support::Windows1252Text(data, size);
    fuzz_support::WriteHostFile(fuzz_support::ProgramFolder() / kSafetyFile, StoredFile(plainText));
    LoadSafetyList();
    for (const std::string& entry : std::vector<std::string>(gSafeList)) {
        fuzz_support::Require(IsSafeItem(entry), "an entry of the safe list is not safe");
    }
    IsSafeItem("C:\\windows\\explorer.exe");
    IsSafeItem("HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Run");
    return 0;
}
