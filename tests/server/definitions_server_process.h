#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

#include "server/definitions_server_options.h"

// Runs the test definitions server as a child process on a free port of 127.0.0.1 for the life of
// the object. Without a root or log folder of its own it works in a temporary folder, so a test
// can write the files to serve into Root() (before or after the start: every request reads them).
// Throws std::runtime_error when the server does not come up.
class DefinitionsServerProcess {
  public:
    explicit DefinitionsServerProcess(DefinitionsServerOptions options = {});
    DefinitionsServerProcess(const DefinitionsServerProcess&) = delete;
    DefinitionsServerProcess& operator=(const DefinitionsServerProcess&) = delete;
    ~DefinitionsServerProcess();

    int Port() const { return port_; }
    std::string BaseUrl() const;  // "http://127.0.0.1:<port>"
    const std::filesystem::path& Root() const { return options_.root; }

    // Writes a file to serve, at a path relative to the root (folders are created).
    void Serve(const std::filesystem::path& relativePath, const std::string& contents) const;

    // Every request line received so far ("GET /asp/date.asp HTTP/1.1"), oldest first.
    std::vector<std::string> RequestLines() const;
    // The decoded "data=" field of every submission so far.
    std::vector<std::string> Submissions() const;
    // The path of every trickled reply whose client closed the connection.
    std::vector<std::string> ClosedConnections() const;

    // Ends the server; later requests find the port closed.
    void Stop();

  private:
    void Start();

    DefinitionsServerOptions options_;
    std::filesystem::path scratch_;  // the temporary folder, when this object made one
    pid_t pid_ = -1;
    int port_ = 0;
};
