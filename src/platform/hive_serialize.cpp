#include "platform/hive_serialize.h"

#include <algorithm>
#include <cstdio>

#include "platform/hive_escape.h"
#include "platform/hive_utf16.h"
#include "platform/hive_value_text.h"

namespace platform {

namespace {

// A piece of the file in its place: a key's section or a block kept as read. Pieces from the file
// keep their order; a new section follows the piece of the key before it in the tree.
struct Piece {
    long anchor;
    long sequence;
    std::string text;
};

// Appends a piece of text, ending the line before it when the file's last line had no line end.
void AppendOnNewLine(std::string& text, const std::string& piece) {
    if (!text.empty() && text.back() != '\n') {
        text += '\n';
    }
    text += piece;
}

bool IsTimeLine(const HiveEntry& entry) {
    return !entry.isValue && entry.text.rfind("#time=", 0) == 0;
}

std::string TimeLine(HiveTime time) {
    char line[40];
    std::snprintf(line, sizeof line, "#time=%llx\n", static_cast<unsigned long long>(time));
    return line;
}

std::string HeaderLine(const std::string& spelledPath, HiveTime time) {
    return "[" + spelledPath + "] " + std::to_string(UnixSecondsOf(time)) + "\n";
}

std::string SpelledPath(const std::vector<std::string>& path) {
    std::string joined;
    for (const auto& name : path) {
        joined += (joined.empty() ? "" : "\\") + name;
    }
    return EscapeHiveText(Utf8ToUtf16(joined), "[]");
}

// Wine writes a key that has values or no sub-keys; the others are implied by their sub-keys.
bool NeedsSection(const HiveKey& key, bool isRoot) {
    if (key.fileOrder != -1 || !key.entries.empty() || key.isLink) {
        return true;
    }
    return !isRoot && key.subKeys.empty();
}

std::string FreshSection(const HiveKey& key, const std::vector<std::string>& path) {
    const HiveTime time = key.changedAt.value_or(HiveTimeNow());
    const bool fromFile = key.fileOrder != -1;
    std::string text = fromFile ? key.leadingLines : "\n";
    text += HeaderLine(fromFile ? key.spelledPath : SpelledPath(path), time);
    if (std::none_of(key.entries.begin(), key.entries.end(), IsTimeLine)) {
        text += TimeLine(time);
    }
    for (const auto& entry : key.entries) {
        if (IsTimeLine(entry)) {
            AppendOnNewLine(text, TimeLine(time));
        } else if (entry.text.empty()) {
            AppendOnNewLine(text, FormatValueLine(entry.name, entry.value));
        } else {
            AppendOnNewLine(text, entry.text);
        }
    }
    return text;
}

std::string SectionAsRead(const HiveKey& key) {
    std::string text = key.leadingLines + key.headerLine;
    for (const auto& entry : key.entries) {
        text += entry.text;
    }
    return text;
}

class PieceCollector {
  public:
    std::vector<Piece> pieces;

    void Visit(const HiveKey& key, std::vector<std::string>& path, bool isRoot) {
        if (NeedsSection(key, isRoot)) {
            if (key.fileOrder != -1) {
                anchor_ = key.fileOrder;
                sequence_ = 0;
            } else {
                ++sequence_;
            }
            const bool asRead = key.fileOrder != -1 && !key.changedAt;
            pieces.push_back(
                {anchor_, sequence_, asRead ? SectionAsRead(key) : FreshSection(key, path)});
        }
        for (const auto& subKey : key.subKeys) {
            path.push_back(subKey->name);
            Visit(*subKey, path, false);
            path.pop_back();
        }
    }

  private:
    long anchor_ = -1;
    long sequence_ = 0;
};

}  // namespace

std::string SerializeHive(const Hive& hive) {
    PieceCollector collector;
    std::vector<std::string> path;
    collector.Visit(hive.root, path, true);
    auto& pieces = collector.pieces;
    for (const auto& orphan : hive.orphans) {
        pieces.push_back({orphan.fileOrder, 0, orphan.text});
    }
    std::stable_sort(pieces.begin(), pieces.end(), [](const Piece& a, const Piece& b) {
        return a.anchor != b.anchor ? a.anchor < b.anchor : a.sequence < b.sequence;
    });
    std::string text = hive.preamble;
    for (const auto& piece : pieces) {
        AppendOnNewLine(text, piece.text);
    }
    return text;
}

}  // namespace platform
