#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Whether a cookie's host key (what the cookie scan derives from the domain in a cookie file) is a
// blocked tracking host. hosts are the decoded lines of BlockedCookies.dat, in file order. Only
// lines that hold the key (with case) are looked at; such a line, cut at its last "." and without
// its first "*", must equal the key without case: "*doubleclick.net" blocks "doubleclick", while
// ".doubleclick.net" does not.
bool IsBlockedCookieHost(const std::vector<std::string>& hosts, std::string_view host);

// The same rule over a list read once for a whole scan: the lines are filed by their lower-case
// key, so each cookie is tried against the few lines that can match rather than all of them.
// Refers to the lines it was made from; they must outlive it.
class BlockedCookieHosts {
  public:
    explicit BlockedCookieHosts(const std::vector<std::string>& hosts);

    bool Blocks(std::string_view host) const;

  private:
    using KeyedLine = std::pair<std::string, std::string_view>;  // lower-case key, line
    std::vector<KeyedLine> linesByKey_;                          // by key
};
