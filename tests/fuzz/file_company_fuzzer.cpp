// The company name in a program file's version information, searched in the file's bytes.
#include <string>

#include "foundation/file_company.h"
#include "support/fuzz_environment.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string company = GetFileCompanyNameFromBytes(fuzz_support::Bytes(data, size));
    fuzz_support::Require(company.size() <= size * 3, "a company name longer than its file");
    return 0;
}
