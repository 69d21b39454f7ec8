#pragma once

#include <httplib.h>

#include <mutex>

#include "server/definitions_server_options.h"

// A stand-in for the program's definitions server, serving from the files in its root folder:
//   /asp/currentDateNEW.asp?prog=...&comp=...   currentDate.txt (the newest definitions date)
//   /asp/getDefsNEW.asp?prog=...&comp=...&date= package.txt (the update package)
//   /asp/date.asp                               date.txt (the date to store)
//   /asp/getData.asp?data=...                   "Added"; the decoded data goes to submissions.log
//   /echo/headers                               the request's headers, one "Name: value" a line
//   anything else                               the file at that path under the root
// A missing file is answered with status 404 and a small error page. Every request line is
// appended to requests.log as it arrives, before any delay; a trickled reply whose client went
// away appends its path to closed.log. The data of a submission is read as a query parser reads
// it ("+" a blank, "%XX" a byte, cut at "&"). The server library refuses (400) an address with a
// second "?", before anything is logged.
class DefinitionsServer {
  public:
    explicit DefinitionsServer(DefinitionsServerOptions options);

    // Listens on 127.0.0.1, prints "port <n>" on stdout, and serves until the process ends.
    int Run();

  private:
    void InstallRoutes();
    void Log(const char* fileName, const std::string& line);
    void Reply(httplib::Response& response, int status, std::string body,
               const std::string& path = {});
    void ReplyWithFile(httplib::Response& response, const std::string& relativePath);

    DefinitionsServerOptions options_;
    httplib::Server server_;
    std::mutex logMutex_;
};
