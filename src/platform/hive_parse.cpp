#include "platform/hive_parse.h"

#include <algorithm>

#include "platform/hive_escape.h"
#include "platform/hive_key_name.h"
#include "platform/hive_utf16.h"
#include "platform/hive_value_text.h"

namespace platform {

namespace {

constexpr std::string_view kVersionLine = "WINE REGISTRY Version 2";

std::vector<std::string_view> SplitLinesKeepingEnds(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        const std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
        lines.push_back(text.substr(start, next - start));
        start = next;
    }
    return lines;
}

std::string_view WithoutLineEnd(std::string_view line) {
    if (!line.empty() && line.back() == '\n') {
        line.remove_suffix(1);
    }
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    return line;
}

std::string_view TrimmedLeft(std::string_view line) {
    const std::size_t first = line.find_first_not_of(" \t");
    return first == std::string_view::npos ? std::string_view() : line.substr(first);
}

// Whether a line can carry on a value's data: not blank, and not the start of a key, value,
// option or comment. Taking such a line in would give a key's values to the key before it, and a
// value kept broken would swallow whatever a later write puts after it.
bool IsContinuationLine(std::string_view line) {
    const std::string_view content = TrimmedLeft(WithoutLineEnd(line));
    return !content.empty() &&
           std::string_view("[\"@#;").find(content[0]) == std::string_view::npos;
}

// The path of a header "[path] seconds".
std::optional<std::u16string> ParseHeader(std::string_view line, std::string* error) {
    const auto path = UnescapeHiveText(line, 1, ']', error);
    if (!path) {
        return std::nullopt;
    }
    const std::string_view rest = line.substr(path->end);
    if (rest.find_first_not_of(" \t0123456789") != std::string_view::npos) {
        *error = "unexpected text after the key's path";
        return std::nullopt;
    }
    return std::move(path->text);
}

class HiveParser {
  public:
    HiveParser(std::string_view text, const std::string& fileName)
        : lines_(SplitLinesKeepingEnds(text)), fileName_(fileName) {}

    Hive Parse() {
        CheckVersion();
        for (index_ = 0; index_ < lines_.size(); ++index_) {
            ReadLine();
        }
        AppendToCurrent(pending_);
        return std::move(hive_);
    }

  private:
    void Report(std::size_t lineIndex, std::string message) {
        hive_.diagnostics.push_back(
            {fileName_, static_cast<int>(lineIndex + 1), std::move(message)});
    }

    void CheckVersion() {
        if (!lines_.empty() && WithoutLineEnd(lines_[0]) != kVersionLine) {
            Report(0, "not a Wine registry file: the first line should be \"" +
                          std::string(kVersionLine) + "\"");
        }
    }

    void ReadLine() {
        const std::string_view line = lines_[index_];
        const std::string_view content = TrimmedLeft(WithoutLineEnd(line));
        if (content.empty()) {
            pending_ += line;
        } else if (content[0] == '[') {
            StartSection(line, content);
        } else if (key_) {
            ReadKeyLine(line, content);
        } else {
            AppendToCurrent(pending_ + std::string(line));
            pending_.clear();
        }
    }

    // Text before the first key, or after a header that could not be read.
    void AppendToCurrent(const std::string& text) {
        if (text.empty()) {
            return;
        }
        if (key_) {
            key_->entries.push_back({false, {}, {}, text});
        } else if (!hive_.orphans.empty() && orphanIsCurrent_) {
            hive_.orphans.back().text += text;
        } else {
            hive_.preamble += text;
        }
    }

    void StartSection(std::string_view line, std::string_view content) {
        std::string error;
        const auto header = ParseHeader(content, &error);
        if (!header) {
            Report(index_, "cannot read the key's header (" + error + "); kept as it stands");
            hive_.orphans.push_back({order_++, pending_ + std::string(line)});
            key_ = nullptr;
            orphanIsCurrent_ = true;
        } else {
            key_ = &KeyOf(*header);
            orphanIsCurrent_ = false;
            if (key_->fileOrder != -1) {
                Report(index_, "the key is listed twice; its values are merged");
                key_->changedAt = HiveTimeNow();
            } else {
                key_->fileOrder = order_++;
                key_->leadingLines = pending_;
                key_->headerLine = std::string(line);
            }
        }
        pending_.clear();
    }

    // The key of a path, with the keys above it in the order the file names them. Empty names
    // (repeated "\\") are skipped.
    HiveKey& KeyOf(std::u16string_view path) {
        HiveKey* key = &hive_.root;
        for (std::size_t start = 0; start < path.size();) {
            const std::size_t end = std::min(path.find(u'\\', start), path.size());
            if (end > start) {
                const std::string name = Utf16ToUtf8(path.substr(start, end - start));
                HiveKey* subKey = FindSubKey(*key, name);
                key = subKey ? subKey : &AppendSubKey(*key, name);
            }
            start = end + 1;
        }
        return *key;
    }

    void ReadKeyLine(std::string_view line, std::string_view content) {
        AppendToCurrent(pending_);
        pending_.clear();
        if (content[0] == '"' || content[0] == '@') {
            ReadValue();
            return;
        }
        if (content[0] == '#') {
            if (content.substr(0, 5) == "#link") {
                key_->isLink = true;
            }
        } else if (content[0] != ';') {
            Report(index_, "unrecognised line; kept as it stands");
        }
        AppendToCurrent(std::string(line));
    }

    void ReadValue() {
        const std::size_t first = index_;
        std::string text(lines_[index_]);
        std::string joined(WithoutLineEnd(lines_[index_]));
        while (ValueLineContinues(joined)) {
            if (index_ + 1 >= lines_.size()) {
                Report(first, "the value's data breaks off at the end of the file");
                AppendToCurrent(text);
                return;
            }
            if (!IsContinuationLine(lines_[index_ + 1])) {
                Report(first, "the value's data breaks off before the next line");
                AppendToCurrent(text);
                return;
            }
            joined.erase(joined.find_last_of('\\'));
            ++index_;
            text += lines_[index_];
            joined += TrimmedLeft(WithoutLineEnd(lines_[index_]));
        }
        std::string error;
        auto value = ParseValueLine(joined, &error);
        if (!value) {
            Report(first, "cannot read the value (" + error + "); kept as it stands");
            AppendToCurrent(text);
            return;
        }
        key_->entries.push_back({true, std::move(value->name), std::move(value->value), text});
    }

    std::vector<std::string_view> lines_;
    const std::string& fileName_;
    Hive hive_;
    std::size_t index_ = 0;
    std::string pending_;  // blank lines not yet placed: they lead the next header
    HiveKey* key_ = nullptr;
    bool orphanIsCurrent_ = false;
    long order_ = 0;
};

}  // namespace

Hive ParseHive(std::string_view text, const std::string& fileName) {
    return HiveParser(text, fileName).Parse();
}

}  // namespace platform
