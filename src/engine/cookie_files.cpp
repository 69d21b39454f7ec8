#include "engine/cookie_files.h"

#include "foundation/path_text.h"
#include "platform/text_case.h"

std::string GetCookieHostFromFileName(std::string_view path) {
    const std::string name = GetFileNameFromPath(path);
    const auto at = name.find('@');
    if (at == std::string::npos) {
        return {};
    }
    const std::string_view afterAt = std::string_view(name).substr(at + 1);
    for (const char bracket : {'(', '['}) {
        if (const auto end = afterAt.find(bracket); end != std::string_view::npos) {
            return std::string(afterAt.substr(0, end));
        }
    }
    return std::string(afterAt.substr(0, afterAt.rfind('.')));
}

std::vector<std::string> CookieFileFields(const std::vector<std::string>& lines) {
    std::vector<std::string> fields;
    for (const std::string& line : lines) {
        for (std::string_view field : SplitAt(line, ',')) {
            fields.emplace_back(field);
        }
    }
    return fields;
}

std::optional<std::string> CookieDomainInField(std::string_view field, std::string_view host) {
    const auto start = field.find(host);
    if (start == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view fromHost = field.substr(start);
    const auto slash = fromHost.find('/');
    if (slash == std::string_view::npos) {
        return std::nullopt;
    }
    return std::string(fromHost.substr(0, slash));
}

std::string CookieMatchKey(std::string_view domain) {
    std::string key(domain.substr(0, domain.rfind('.')));
    if (platform::EqualsIgnoringCase(std::string_view(key).substr(0, 4), "www.")) {
        key.erase(0, 4);
    }
    return key;
}
