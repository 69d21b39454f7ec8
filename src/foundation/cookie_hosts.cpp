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
    for (const std::string& blocked : hosts) {
        if (blocked.find(host) != std::string::npos &&
            platform::EqualsIgnoringCase(MatchKeyOf(blocked), host)) {
            return true;
        }
    }
    return false;
}
