// An update package from the definitions server, applied to every definition file in memory.
#include <string>
#include <vector>

#include "foundation/line_codec.h"
#include "platform/text_case.h"
#include "platform/text_encoding.h"
#include "platform/text_lines.h"
#include "support/fuzz_environment.h"
#include "update/stored_line_keys.h"
#include "update/update_package.h"
#include "update/update_records.h"

namespace {

// A few lines of every file as stored (encoded, 8-bit, CR LF), so that deletions have something
// to match.
std::string InstalledBytes() {
    std::vector<std::string> lines;
    for (const char* plain :
         {"pingbeacon.exe=PingBeacon Tracker|[progfil]PingBeacon|Tracker",
          "2^Software\\PingBeacon^=PingBeacon Tracker|Tracker settings", "*pingbeacon.example",
          "SEXE|explorer.exe=Windows shell|[windir]explorer.exe"}) {
        lines.push_back(platform::Utf8ToWindows1252(EncodeLine(plain)));
    }
    lines.insert(lines.end(), {"", " "});
    return platform::JoinTextLines(lines);
}

void ApplyToEveryFile(const std::vector<DefinitionUpdateRecord>& records) {
    static const std::string installed = InstalledBytes();
    DeletionProgress progress([](const std::string&) {});
    for (const std::string_view fileName : kUpdatedDefinitionFiles) {
        const auto update = UpdateDefinitionFile(records, fileName, installed, progress);
        if (update) {
            fuzz_support::Require(update->changes >= 0, "a negative number of changes");
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz_support::IsolateProcess();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string package = fuzz_support::Windows1252Text(data, size);
    const std::vector<DefinitionUpdateRecord> records = ParseDefinitionUpdate(package);
    StoredLineKeys keys;
    for (const DefinitionUpdateRecord& record : records) {
        fuzz_support::Require(keys.LowerKeyOfDefinition(record.definition) ==
                                  platform::ToLowerText(UpdateDefinitionKey(record.definition)),
                              "a record's key made through its stored bytes differs");
        for (const std::string_view fileName : kUpdatedDefinitionFiles) {
            if (KindBelongsToFile(record.kind, fileName)) {
                AddedDefinitionLine(record, fileName);
            }
        }
    }
    ApplyToEveryFile(records);
    return 0;
}
