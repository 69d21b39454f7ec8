#pragma once

#include <string>
#include <string_view>
#include <vector>

// Whether a cookie's host key (what the cookie scan derives from the domain in a cookie file) is a
// blocked tracking host. hosts are the decoded lines of BlockedCookies.dat, in file order. Only
// lines that hold the key (with case) are looked at; such a line, cut at its last "." and without
// its first "*", must equal the key without case: "*doubleclick.net" blocks "doubleclick", while
// ".doubleclick.net" does not.
bool IsBlockedCookieHost(const std::vector<std::string>& hosts, std::string_view host);
