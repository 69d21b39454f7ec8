// A hive file in Wine's text format (the prefix's hives, the per-user settings): read, written
// back, and read again.
#include <pthread.h>

#include <string>
#include <string_view>
#include <vector>

#include "platform/hive_parse.h"
#include "platform/hive_serialize.h"
#include "support/fuzz_environment.h"

namespace {

using fuzz_support::Require;

bool SameValue(const platform::RegValue& left, const platform::RegValue& right) {
    return left.type == right.type && left.text == right.text && left.number == right.number &&
           left.data == right.data;
}

bool KeepsEveryValue(const platform::HiveKey& first, const platform::HiveKey& second) {
    if (platform::LinkTarget(first) != platform::LinkTarget(second)) {
        return false;
    }
    for (const std::string& name : platform::ValueNames(first)) {
        const platform::HiveEntry* kept = platform::FindValue(second, name);
        if (kept == nullptr || !SameValue(platform::FindValue(first, name)->value, kept->value)) {
            return false;
        }
    }
    return true;
}

// Whether every key and value of the first tree is in the second, unchanged. The second may hold
// more: a line kept broken may read as a value once a write puts other lines after it.
bool KeepsEveryKey(const platform::HiveKey& first, const platform::HiveKey& second) {
    // The key of the second tree that stands where the walk is, at each depth.
    std::vector<const platform::HiveKey*> counterparts;
    bool keeps = true;
    platform::ForEachKey(first, [&](const platform::HiveKey& key, std::size_t depth) {
        counterparts.resize(depth);
        const platform::HiveKey* kept =
            depth == 0 ? &second
                       : (counterparts.back() ? platform::FindSubKey(*counterparts.back(), key.name)
                                              : nullptr);
        counterparts.push_back(kept);
        keeps = keeps && kept != nullptr && KeepsEveryValue(key, *kept);
    });
    return keeps;
}

void ReadWriteAndReadAgain(std::string_view input) {
    const std::string text(input);
    platform::Hive hive = platform::ParseHive(text, "user.reg");
    const bool readCleanly = hive.diagnostics.empty();
    const std::string written = platform::WriteHiveText(hive);
    // A hive the program only read must keep its bytes; one that needed mending (a key listed
    // twice is merged) may change its text, but must lose no key and no value.
    Require(!readCleanly || written == text, "an unchanged hive was rewritten");
    const platform::Hive reread = platform::ParseHive(written, "user.reg");
    Require(KeepsEveryKey(hive.root, reread.root), "writing a hive lost a key or a value");
}

// Each input runs on a small stack: a walk that recursed once per key would overflow it with a
// key some thousands of levels deep, an input the fuzzer runs many times a second, where the main
// thread's stack would take one of hundreds of kilobytes.
constexpr std::size_t kStackBytes = 256 * 1024;

void* ReadWriteAndReadAgainOnThread(void* input) {
    ReadWriteAndReadAgain(*static_cast<std::string_view*>(input));
    return nullptr;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text = fuzz_support::Bytes(data, size);
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstacksize(&attributes, kStackBytes);
    pthread_t thread;
    Require(pthread_create(&thread, &attributes, ReadWriteAndReadAgainOnThread, &text) == 0,
            "cannot start a thread");
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attributes);
    return 0;
}
