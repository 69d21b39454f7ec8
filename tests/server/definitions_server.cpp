#include "server/definitions_server.h"

#include <chrono>
#include <fstream>
#include <iostream>
#include <sstream>
#include <thread>

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kFillerChunk = 64 * 1024;
const std::string kNotFoundPage = "<html><body><h1>404 Not Found</h1></body></html>";

bool ReadFile(const fs::path& path, std::string& contents) {
    std::ifstream file(path, std::ios::binary);
    if (!file || fs::is_directory(path)) {
        return false;
    }
    std::ostringstream buffer;
    buffer << file.rdbuf();
    contents = buffer.str();
    return true;
}

bool StaysInsideRoot(const fs::path& relative) {
    for (const auto& part : relative) {
        if (part == "..") {
            return false;
        }
    }
    return true;
}

[[noreturn]] void HangForever() {
    for (;;) {
        std::this_thread::sleep_for(std::chrono::hours(1));
    }
}

}  // namespace

DefinitionsServer::DefinitionsServer(DefinitionsServerOptions options)
    : options_(std::move(options)) {
    // Stalled replies hold their worker for good; leave room for the requests after them.
    server_.new_task_queue = [] { return new httplib::ThreadPool(32); };
    InstallRoutes();
}

int DefinitionsServer::Run() {
    const int port = options_.port == 0 ? server_.bind_to_any_port("127.0.0.1")
                     : server_.bind_to_port("127.0.0.1", options_.port) ? options_.port
                                                                        : -1;
    if (port < 0) {
        std::cerr << "cannot listen on 127.0.0.1\n";
        return 1;
    }
    std::cout << "port " << port << std::endl;
    return server_.listen_after_bind() ? 0 : 1;
}

void DefinitionsServer::InstallRoutes() {
    server_.set_pre_routing_handler([this](const httplib::Request& request, httplib::Response&) {
        Log("requests.log", request.method + " " + request.target + " " + request.version);
        std::this_thread::sleep_for(std::chrono::milliseconds(options_.delayMs));
        return httplib::Server::HandlerResponse::Unhandled;
    });
    server_.Get("/asp/currentDateNEW.asp", [this](const auto&, auto& response) {
        ReplyWithFile(response, "currentDate.txt");
    });
    server_.Get("/asp/getDefsNEW.asp",
                [this](const auto&, auto& response) { ReplyWithFile(response, "package.txt"); });
    server_.Get("/asp/date.asp",
                [this](const auto&, auto& response) { ReplyWithFile(response, "date.txt"); });
    server_.Get("/asp/getData.asp", [this](const httplib::Request& request, auto& response) {
        Log("submissions.log", request.get_param_value("data"));
        Reply(response, 200, "Added");
    });
    server_.Get("/echo/headers", [this](const httplib::Request& request, auto& response) {
        std::string lines;
        for (const auto& [name, value] : request.headers) {
            lines += name + ": " + value + "\n";
        }
        Reply(response, 200, lines);
    });
    server_.Get(".*", [this](const httplib::Request& request, auto& response) {
        ReplyWithFile(response, request.path.substr(1));
    });
}

void DefinitionsServer::Log(const char* fileName, const std::string& line) {
    const std::lock_guard lock(logMutex_);
    std::ofstream(options_.logFolder / fileName, std::ios::app | std::ios::binary) << line << '\n';
}

void DefinitionsServer::ReplyWithFile(httplib::Response& response,
                                      const std::string& relativePath) {
    std::string contents;
    if (StaysInsideRoot(relativePath) && ReadFile(options_.root / relativePath, contents)) {
        Reply(response, 200, std::move(contents), relativePath);
    } else {
        Reply(response, 404, kNotFoundPage, relativePath);
    }
}

// Sends `body`, or what the test switches make of it.
void DefinitionsServer::Reply(httplib::Response& response, int status, std::string body,
                              const std::string& path) {
    response.status = status;
    const char* type = "text/html";
    if (options_.onlyFile && *options_.onlyFile != path) {
        response.set_content(std::move(body), type);
        return;
    }
    response.status = options_.status.value_or(status);
    if (options_.cutAfterBytes) {
        body.resize(std::min(body.size(), *options_.cutAfterBytes));
        response.set_content_provider(
            type, [body = std::move(body)](std::size_t, httplib::DataSink& sink) {
                sink.write(body.data(), body.size());
                return false;  // the connection closes here, which ends the body as far as it says
            });
    } else if (options_.trickleMs) {
        const std::size_t size = body.size();  // before the body moves into the provider
        response.set_content_provider(
            size, type,
            [this, body = std::move(body), path](std::size_t offset, std::size_t,
                                                 httplib::DataSink& sink) {
                std::this_thread::sleep_for(std::chrono::milliseconds(*options_.trickleMs));
                if (!sink.write(body.data() + offset, 1)) {
                    Log("closed.log", path);
                    return false;
                }
                return true;
            });
    } else if (options_.hugeBodyBytes) {
        response.set_content_provider(
            *options_.hugeBodyBytes, type,
            [](std::size_t, std::size_t length, httplib::DataSink& sink) {
                return sink.write(std::string(std::min(length, kFillerChunk), 'x').data(),
                                  std::min(length, kFillerChunk));
            });
    } else if (options_.endless) {
        response.set_chunked_content_provider(
            type, [body = std::move(body)](std::size_t offset, httplib::DataSink& sink) {
                if (offset == 0 && !body.empty()) {
                    return sink.write(body.data(), body.size());
                }
                const std::string filler(kFillerChunk, 'x');
                return sink.write(filler.data(), filler.size());
            });
    } else if (options_.stallAfterBytes) {
        const std::size_t size = body.size();  // before the body moves into the provider
        const std::size_t sent = std::min(*options_.stallAfterBytes, size);
        response.set_content_provider(
            size, type,
            [body = std::move(body), sent](std::size_t offset, std::size_t,
                                           httplib::DataSink& sink) {
                if (offset >= sent) {
                    HangForever();
                }
                return sink.write(body.data() + offset, sent - offset);
            });
    } else {
        response.set_content(std::move(body), type);
    }
}
