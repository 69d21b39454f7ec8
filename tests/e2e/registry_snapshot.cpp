#include "e2e/registry_snapshot.h"

#include <algorithm>
#include <cctype>
#include <sstream>

namespace e2e {

namespace {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// Key names compare without letter case, as the registry does.
bool IsAtOrBelow(const std::string& key, const std::string& top) {
    const std::string lowerKey = Lower(key);
    const std::string lowerTop = Lower(top);
    return lowerKey == lowerTop || lowerKey.rfind(lowerTop + "\\", 0) == 0;
}

// The line that opens a value: "name"= with the name's quotes and backslashes escaped, or @=.
std::string ValueLineStart(const std::string& valueName) {
    if (valueName.empty()) {
        return "@=";
    }
    std::string start = "\"";
    for (const char c : valueName) {
        if (c == '"' || c == '\\') {
            start += '\\';
        }
        start += c;
    }
    return start + "\"=";
}

void DropCarriageReturn(std::string& line) {
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
}

// One logical line: a line that ends in "\" goes on in the next one, whose leading blanks are
// layout only (long hex data).
bool ReadLogicalLine(std::istream& in, std::string& line) {
    if (!std::getline(in, line)) {
        return false;
    }
    DropCarriageReturn(line);
    for (std::string next; !line.empty() && line.back() == '\\' && std::getline(in, next);) {
        DropCarriageReturn(next);
        line.pop_back();
        line += next.substr(std::min(next.find_first_not_of(' '), next.size()));
    }
    return true;
}

}  // namespace

RegistrySnapshot RegistrySnapshot::FromExport(const std::string& exportText) {
    RegistrySnapshot snapshot;
    std::istringstream lines(exportText);
    std::string key;
    for (std::string line; ReadLogicalLine(lines, line);) {
        if (line.size() > 2 && line.front() == '[' && line.back() == ']') {
            key = line.substr(1, line.size() - 2);
            snapshot.entries_.insert({key, ""});
        } else if (!key.empty() && (line.starts_with("\"") || line.starts_with("@="))) {
            snapshot.entries_.insert({key, line});
        }
    }
    return snapshot;
}

std::set<RegistryEntry> RegistrySnapshot::KeyTree(const std::string& keyPath) const {
    std::set<RegistryEntry> tree;
    for (const RegistryEntry& entry : entries_) {
        if (IsAtOrBelow(entry.first, keyPath)) {
            tree.insert(entry);
        }
    }
    return tree;
}

std::set<RegistryEntry> RegistrySnapshot::Value(const std::string& keyPath,
                                                const std::string& valueName) const {
    std::set<RegistryEntry> values;
    const std::string start = Lower(ValueLineStart(valueName));
    for (const RegistryEntry& entry : entries_) {
        if (Lower(entry.first) == Lower(keyPath) && Lower(entry.second).rfind(start, 0) == 0) {
            values.insert(entry);
        }
    }
    return values;
}

RegistrySnapshot RegistrySnapshot::Without(const std::set<std::string>& keyPaths) const {
    RegistrySnapshot rest;
    for (const RegistryEntry& entry : entries_) {
        const bool dropped = std::any_of(keyPaths.begin(), keyPaths.end(), [&](const auto& top) {
            return IsAtOrBelow(entry.first, top);
        });
        if (!dropped) {
            rest.entries_.insert(entry);
        }
    }
    return rest;
}

std::set<RegistryEntry> Minus(const std::set<RegistryEntry>& from,
                              const std::set<RegistryEntry>& taken) {
    std::set<RegistryEntry> rest;
    std::set_difference(from.begin(), from.end(), taken.begin(), taken.end(),
                        std::inserter(rest, rest.end()));
    return rest;
}

}  // namespace e2e
