#include "update/definition_addresses.h"

#include <array>

#include "platform/text_case.h"

namespace {

constexpr std::array<std::string_view, 8> kDefinitionPaths = {
    "/definitions/version/R.HTM",           "/definitions/version/F.HTM",
    "/definitions/version/E.HTM",           "/definitions/version/C.HTM",
    "/definitions/data/BlockedCookies.dat", "/definitions/data/RegistryDefinition.dat",
    "/definitions/data/FileDefinition.dat", "/definitions/data/ExeDefinition.dat",
};

std::string RemoveEveryIgnoringCase(std::string text, std::string_view find) {
    for (std::size_t found = platform::FindIgnoringCase(text, find); found != std::string::npos;
         found = platform::FindIgnoringCase(text, find, found)) {
        text.erase(found, find.size());
    }
    return text;
}

// What is left of the website once the scheme, the path and every "/" are gone.
std::string HostPart(std::string_view website) {
    std::string host = RemoveEveryIgnoringCase(std::string(website), "http://");
    const std::size_t slash = host.find('/');
    if (slash != std::string::npos) {
        host.erase(slash + 1);
        std::erase(host, '/');
    }
    return host;
}

}  // namespace

std::string DefinitionsBaseUrl(std::string_view website) {
    if (website.empty()) {
        return std::string(kMakerWebAddress);
    }
    std::string host = HostPart(website);
    if (platform::FindIgnoringCase(host, "www.") == std::string::npos) {
        host.insert(0, "www.");
    }
    return "http://" + host;
}

std::string DefinitionAddressList(std::string_view base) {
    std::string list;
    for (const std::string_view path : kDefinitionPaths) {
        list.append(base).append(path).append("\r\n");
    }
    return list;
}
