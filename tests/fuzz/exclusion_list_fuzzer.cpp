// ENoSignature.txt, the user's exclusions: written to the program folder and loaded.
#include <string>
#include <vector>

#include "foundation/exclusion_list.h"
#include "foundation/globals.h"
#include "foundation/path_text.h"
#include "support/fuzz_environment.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz_support::IsolateProcess();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz_support::QuietHost host;
    fuzz_support::WriteHostFile(fuzz_support::ProgramFolder() / kExclusionFileName,
                                fuzz_support::Bytes(data, size));
    LoadExclusions();
    // Every entry the list holds must exclude the item it was written for.
    const std::string list = gExclusionList;
    for (const std::string_view entry : SplitAt(list, '|')) {
        if (!entry.empty()) {
            fuzz_support::Require(IsExcluded(entry), "an entry does not exclude its own item");
            fuzz_support::Require(IsExcludedPath(entry), "an entry does not exclude its own path");
        }
    }
    IsExcluded("C:\\Program Files\\PingBeacon\\pingbeacon.exe");
    IsExcludedPath("C:\\Program Files");
    return 0;
}
