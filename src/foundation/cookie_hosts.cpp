#include "foundation/cookie_hosts.h"

#include <algorithm>

#include "platform/text_case.h"

namespace {

std::string MatchKeyOf(std::string_view blockedHost) {
    std::string key(blockedHost.substr(0, blockedHost.rfind('.')));
    if (const auto star = key.find('*'); star != std::string::npos) {
        key.erase(star, 1);
    }
    return key;
}

bool ByKey(const std::pair<std::string, std::string_view>& left,
           const std::pair<std::string, std::string_view>& right) {
    return left.first < right.first;
}

}  // namespace

bool IsBlockedCookieHost(const std::vector<std::string>& hosts, std::string_view host) {
    return BlockedCookieHosts(hosts).Blocks(host);
}

// Lower-casing keeps every character's length, so two keys are equal without case exactly when
// their lower-case forms are equal: the lines filed under a key are every line the rule would
// accept. A sorted list rather than a map: most keys are short enough to need no allocation, and
// a list of 100,000 hosts is made and freed at once.
BlockedCookieHosts::BlockedCookieHosts(const std::vector<std::string>& hosts) {
    linesByKey_.reserve(hosts.size());
    for (const std::string& blocked : hosts) {
        linesByKey_.emplace_back(platform::ToLowerText(MatchKeyOf(blocked)), blocked);
    }
    std::sort(linesByKey_.begin(), linesByKey_.end(), ByKey);
}

bool BlockedCookieHosts::Blocks(std::string_view host) const {
    const std::string key = platform::ToLowerText(host);
    const auto [first, last] =
        std::equal_range(linesByKey_.begin(), linesByKey_.end(), KeyedLine{key, {}}, ByKey);
    return std::any_of(first, last, [host](const KeyedLine& candidate) {
        return candidate.second.find(host) != std::string_view::npos;
    });
}
