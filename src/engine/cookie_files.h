#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The browser's per-user cookie files: one text file per cookie set, named user name, "@", cookie
// host, a bracketed number and ".txt" ("bob@doubleclick[1].txt"). Inside, the host-and-path field
// of each cookie ("ad.doubleclick.net/") says which domain set it.

// The host part of a cookie file's name: the text after the name's first "@", up to its first "(",
// else its first "[", else its last ".". "" for an empty path or a name without "@". Only the file
// name is looked at, so an "@" in a folder above it changes nothing.
std::string GetCookieHostFromFileName(std::string_view path);

// The fields of a cookie file's lines, in order: the lines cut at every comma.
std::vector<std::string> CookieFileFields(const std::vector<std::string>& lines);

// For a field that holds the host (with case): the text from the host up to the first "/" after
// it. Nothing when the field lacks the host or no "/" follows it.
std::optional<std::string> CookieDomainInField(std::string_view field, std::string_view host);

// The key a cookie domain is matched against the blocked hosts by: the domain without its last
// dot-separated label, then without a leading "www." (any case). "ads.example.com" gives
// "ads.example", "www.example.com" gives "example"; a domain without "." stays as it is.
std::string CookieMatchKey(std::string_view domain);
