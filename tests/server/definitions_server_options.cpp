#include "server/definitions_server_options.h"

#include <charconv>

namespace {

template <typename Number>
bool ReadNumber(const std::string& text, Number& value) {
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && stop == end;
}

}  // namespace

std::vector<std::string> ToArguments(const DefinitionsServerOptions& options) {
    std::vector<std::string> arguments = {
        "--root", options.root.string(),        "--log-folder", options.logFolder.string(),
        "--port", std::to_string(options.port), "--delay-ms",   std::to_string(options.delayMs)};
    if (options.endless) {
        arguments.push_back("--endless");
    }
    const auto add = [&arguments](const char* name, const auto& value) {
        if (value) {
            arguments.insert(arguments.end(), {name, std::to_string(*value)});
        }
    };
    add("--stall-after", options.stallAfterBytes);
    add("--huge-body", options.hugeBodyBytes);
    add("--status", options.status);
    add("--cut-after", options.cutAfterBytes);
    add("--trickle-ms", options.trickleMs);
    if (options.onlyFile) {
        arguments.insert(arguments.end(), {"--only-file", *options.onlyFile});
    }
    return arguments;
}

std::optional<DefinitionsServerOptions> ParseArguments(const std::vector<std::string>& arguments) {
    DefinitionsServerOptions options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& name = arguments[i];
        if (name == "--endless") {
            options.endless = true;
            continue;
        }
        if (i + 1 == arguments.size()) {
            return std::nullopt;
        }
        const std::string& value = arguments[++i];
        std::size_t bytes = 0;
        bool understood = true;
        if (name == "--root") {
            options.root = value;
        } else if (name == "--log-folder") {
            options.logFolder = value;
        } else if (name == "--port") {
            understood = ReadNumber(value, options.port);
        } else if (name == "--delay-ms") {
            understood = ReadNumber(value, options.delayMs);
        } else if (name == "--stall-after") {
            understood = ReadNumber(value, bytes);
            options.stallAfterBytes = bytes;
        } else if (name == "--huge-body") {
            understood = ReadNumber(value, bytes);
            options.hugeBodyBytes = bytes;
        } else if (name == "--cut-after") {
            understood = ReadNumber(value, bytes);
            options.cutAfterBytes = bytes;
        } else if (name == "--status" || name == "--trickle-ms") {
            int number = 0;
            understood = ReadNumber(value, number);
            (name == "--status" ? options.status : options.trickleMs) = number;
        } else if (name == "--only-file") {
            options.onlyFile = value;
        } else {
            understood = false;
        }
        if (!understood) {
            return std::nullopt;
        }
    }
    if (options.root.empty() || options.logFolder.empty()) {
        return std::nullopt;
    }
    return options;
}
