#include "e2e/wine_program_test.h"

#include <cstdlib>
#include <stdexcept>

#include "e2e/commands.h"

namespace e2e {

TemporaryRoot::TemporaryRoot() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "tollenwark-e2e-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot make a temporary folder");
    }
    path_ = pattern;
}

TemporaryRoot::~TemporaryRoot() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::vector<std::string> TextLines(const std::filesystem::path& file) {
    std::vector<std::string> lines;
    const std::string text = ReadWholeFile(file);
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

ReportedThreats ThreatsInReport(const std::vector<std::string>& reportLines) {
    ReportedThreats threats;
    bool inSection = false;
    for (const std::string& line : reportLines) {
        if (line == "[Threats Detected]") {
            inSection = true;
        } else if (inSection && line.starts_with("Total = ")) {
            threats.total = line.substr(8);
            break;
        } else if (inSection && !line.empty()) {
            threats.lines.push_back(line);
        }
    }
    return threats;
}

}  // namespace e2e
