#include "foundation/cookie_hosts.h"

#include "platform/text_case.h"

namespace {

std::string MatchKeyOf(std::string_view blockedHost) {
    std::string key(blockedHost.substr(0, blockedHost.rfind('.')));
    if (const auto star = key.find('*'); star != std::string::npos) {
        key.erase(star, 1);
    }
    return key;
}

}  // namespace

bool IsBlockedCookieHost(const std::vector<std::string>& hosts, std::string_view host) {
    return BlockedCookieHosts(hosts).Blocks(host);
}

// Lower-casing keeps every character's length, so two keys are equal without case exactly when
// their lower-case forms are equal: the map finds every line the rule would accept.
BlockedCookieHosts::BlockedCookieHosts(const std::vector<std::string>& hosts) {
    for (const std::string& blocked : hosts) {
        linesByKey_[platform::ToLowerText(MatchKeyOf(blocked))].emplace_back(blocked);
    }
}

bool BlockedCookieHosts::Blocks(std::string_view host) const {
    const auto candidates = linesByKey_.find(platform::ToLowerText(host));
    if (candidates == linesByKey_.end()) {
        return false;
    }
    for (std::string_view blocked : candidates->second) {
        if (blocked.find(host) != std::string_view::npos) {
            return true;
        }
    }
    return false;
}
