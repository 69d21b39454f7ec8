#pragma once

#include <string>
#include <string_view>

// The definitions server: one web host of the program's maker that answers the update check and
// takes the submitted names. TOLLENWARK_DEFINITIONS_SERVER ("http://127.0.0.1:8080") stands in for
// it, for tests and local servers.

inline constexpr std::string_view kDefinitionsServerHost = "http://definitions.tollenwark.example";

// The server's address without a trailing "/".
std::string DefinitionsServerAddress();

// The program and company names as the queries carry them: every blank written "%20", nothing
// else escaped.
std::string QueryName(std::string_view name);

// "/asp/currentDateNEW.asp?prog=<program>&comp=<company>" on the server: the newest date it has.
std::string DefinitionsDateAddress(std::string_view programName, std::string_view companyName);
// "/asp/getDefsNEW.asp?prog=<program>&comp=<company>&date=": the package address, to be followed by
// the date of the installed definitions.
std::string DefinitionsPackageAddress(std::string_view programName, std::string_view companyName);
// "/asp/date.asp": the date to store once a package has been applied.
std::string NewDefinitionsDateAddress();
// "/asp/getData.asp?data=": the submission address, to be followed by the payload escaped as a
// query value (platform::EscapeQueryValue).
std::string SubmissionAddress();
