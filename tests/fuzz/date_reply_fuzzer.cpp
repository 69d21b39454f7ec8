// The definitions server's date reply, read as the update check reads it.
#include <string>

#include "platform/us_date.h"
#include "support/fuzz_environment.h"
#include "update/definitions_date.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using fuzz_support::Require;
    const std::string reply = fuzz_support::Windows1252Text(data, size);
    const auto date = ParseDateReply(reply);
    if (date) {
        // The date is compared with the installed one and may be saved: it must be a real date
        // that reads back as itself.
        Require(platform::IsValidDateTime(*date), "a reply gave a date that does not exist");
        Require(platform::ParseUsDate(platform::FormatGeneralDate(*date)) == date,
                "a date does not read back as itself");
    }
    return 0;
}
