#include "update/definitions_server.h"

#include <cstdlib>

#include "foundation/path_text.h"

namespace {

std::string NamesQuery(std::string_view programName, std::string_view companyName) {
    return "prog=" + QueryName(programName) + "&comp=" + QueryName(companyName);
}

}  // namespace

std::string DefinitionsServerAddress() {
    const char* overridden = std::getenv("TOLLENWARK_DEFINITIONS_SERVER");
    std::string address = overridden != nullptr && *overridden != '\0'
                              ? overridden
                              : std::string(kDefinitionsServerHost);
    while (!address.empty() && address.back() == '/') {
        address.pop_back();
    }
    return address;
}

std::string QueryName(std::string_view name) {
    return ReplaceEachOnce(name, " ", "%20");
}

std::string DefinitionsDateAddress(std::string_view programName, std::string_view companyName) {
    return DefinitionsServerAddress() + "/asp/currentDateNEW.asp?" +
           NamesQuery(programName, companyName);
}

std::string DefinitionsPackageAddress(std::string_view programName, std::string_view companyName) {
    return DefinitionsServerAddress() + "/asp/getDefsNEW.asp?" +
           NamesQuery(programName, companyName) + "&date=";
}

std::string NewDefinitionsDateAddress() {
    return DefinitionsServerAddress() + "/asp/date.asp";
}

std::string SubmissionAddress() {
    return DefinitionsServerAddress() + "/asp/getData.asp?data=";
}
