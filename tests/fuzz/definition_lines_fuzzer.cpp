// One decoded line of each definition file, and the line codec every stored line goes through.
#include <string>
#include <vector>

#include "engine/cookie_files.h"
#include "engine/definition_records.h"
#include "foundation/cookie_hosts.h"
#include "foundation/folder_tokens.h"
#include "foundation/line_codec.h"
#include "support/fuzz_environment.h"

namespace {

using fuzz_support::Require;

// Encoding wraps code 255 to 0, and decoding sends codes 0 and 255 both to 191; every other
// character must come back as it was, or a rewritten definition file would change its records.
void CheckLineCodec(const std::string& text) {
    if (text.find("\u00FF") == std::string::npos) {
        Require(DecodeLine(EncodeLine(text)) == text, "decoding an encoded line changed it");
    }
    if (text.find('\0') == std::string::npos) {
        Require(EncodeLine(DecodeLine(text)) == text, "encoding a decoded line changed it");
    }
}

void ParseAsRegistryRecord(const std::string& line, FolderTokenExpander& tokens) {
    if (const auto record = ParseRegistryRecord(line, tokens)) {
        Require(!record->rootCode.empty(), "a registry record without a root code");
        Require(record->threatName.find('|') == std::string::npos, "a threat name holds a \"|\"");
    }
}

void ParseAsFileRecord(const std::string& line, FolderTokenExpander& tokens) {
    if (const auto record = ParseFileRecord(line)) {
        const std::string folder = ExpandRecordFolder(record->folder, tokens);
        FileRecordTarget(*record, folder);
        const std::string label = FolderRecordLabel(*record);
        Require(label.find_first_of("\r\n\t") == std::string::npos, "a label holds a line break");
    }
}

void ParseAsProgramRecord(const std::string& line, FolderTokenExpander& tokens) {
    if (const auto record = ParseProgramRecord(line)) {
        ExpandRecordTokens(record->folder, tokens);
    }
}

void ParseAsBlockedCookieLine(const std::string& line) {
    // The scan files the lines by key once; that must block exactly what the plain rule blocks.
    const std::vector<std::string> hosts = {line, "*pingbeacon.example", "*doubleclick.net"};
    const BlockedCookieHosts filed(hosts);
    for (const std::string& key : {CookieMatchKey(line), std::string("doubleclick"), line}) {
        Require(filed.Blocks(key) == IsBlockedCookieHost(hosts, key),
                "the filed cookie hosts disagree with the plain rule");
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz_support::IsolateProcess();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static FolderTokenExpander tokens;
    const std::string line = fuzz_support::Windows1252Text(data, size);
    CheckLineCodec(line);
    ParseAsRegistryRecord(line, tokens);
    ParseAsFileRecord(line, tokens);
    ParseAsProgramRecord(line, tokens);
    ParseAsBlockedCookieLine(line);
    return 0;
}
