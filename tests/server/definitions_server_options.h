#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// How the test definitions server is started: what it serves, where it logs, and the switches
// that make it misbehave for tests.
struct DefinitionsServerOptions {
    std::filesystem::path root;       // served files; see definitions_server.h for the names
    std::filesystem::path logFolder;  // receives requests.log and submissions.log
    int port = 0;                     // 0: any free port
    int delayMs = 0;                  // wait this long before answering each request
    std::optional<std::size_t> stallAfterBytes;  // send this much of each body, then hang
    bool endless = false;                        // each body goes on with filler for ever
    std::optional<std::size_t> hugeBodyBytes;    // each body is this many bytes of filler
    std::optional<int> status;                   // each reply has this status
    std::optional<std::size_t> cutAfterBytes;    // no length; the connection closes after this much
    std::optional<int> trickleMs;  // one byte every so often; a closed connection is logged
    // The switches above apply to the replies of this served file only (all replies without it).
    std::optional<std::string> onlyFile;
};

// The command line that carries `options`, and back.
std::vector<std::string> ToArguments(const DefinitionsServerOptions& options);
std::optional<DefinitionsServerOptions> ParseArguments(const std::vector<std::string>& arguments);
