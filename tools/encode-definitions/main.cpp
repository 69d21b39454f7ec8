// encode-definitions: plain definition lines -> the stored, encoded form, or back with --decode.
//
//   encode-definitions [--decode] [INPUT [OUTPUT]]
//
// INPUT and OUTPUT default to standard input and output ("-" names them too). Nothing is written
// when a line cannot be converted faithfully; the problems are listed on standard error.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "definition_text.h"

namespace {

struct Options {
    bool decode = false;
    std::string input = "-";
    std::string output = "-";
};

bool ParseOptions(int argc, char** argv, Options& options) {
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--decode") {
            options.decode = true;
        } else if (argument.size() > 1 && argument[0] == '-' && argument != "-") {
            return false;
        } else {
            files.push_back(argument);
        }
    }
    if (files.size() > 2) {
        return false;
    }
    if (!files.empty()) {
        options.input = files[0];
    }
    if (files.size() == 2) {
        options.output = files[1];
    }
    return true;
}

bool ReadAll(const std::string& name, std::string& bytes) {
    if (name == "-") {
        bytes.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
        return !std::cin.bad();
    }
    std::ifstream in(name, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return in.good() || in.eof();
}

// Writes beside the target and renames, so a failure never leaves a half-written file.
bool WriteAll(const std::string& name, const std::string& bytes) {
    if (name == "-") {
        std::cout.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return std::cout.flush().good();
    }
    const std::string temporary = name + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out.flush()) {
            std::filesystem::remove(temporary);
            return false;
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, name, error);
    return !error;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::cerr << "usage: encode-definitions [--decode] [INPUT [OUTPUT]]\n";
        return 2;
    }
    std::string input;
    if (!ReadAll(options.input, input)) {
        std::cerr << "encode-definitions: cannot read " << options.input << "\n";
        return 1;
    }
    const ConvertedText converted =
        options.decode ? DecodeDefinitionText(input) : EncodeDefinitionText(input);
    for (const auto& problem : converted.problems) {
        std::cerr << options.input << ": " << problem << "\n";
    }
    if (!converted.problems.empty()) {
        return 1;
    }
    if (!WriteAll(options.output, converted.text)) {
        std::cerr << "encode-definitions: cannot write " << options.output << "\n";
        return 1;
    }
    return 0;
}
