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
    HiveKey* key;
    OrphanBlock* orphan;
};

bool IsTimeLine(const HiveEntry& entry) {
    return !entry.isValue && entry.text.rfind("#time=", 0) == 0;
}

std::string TimeLine(HiveTime time) {
    char line[40];
    std::snprintf(line, sizeof line, "#time=%llx\n", static_cast<unsigned long long>(time));
    return line;
}

std::string SpelledPath(const std::vector<std::string>& path) {
    std::string joined;
    for (const auto& name : path) {
        joined += (joined.empty() ? "" : "\\") + name;
    }
    return EscapeHiveText(Utf8ToUtf16(joined), "[]");
}

void EndLine(std::string& text) {
    if (!text.empty() && text.back() != '\n') {
        text += '\n';
    }
}

// Wine writes a key that has values or no sub-keys; the others are implied by their sub-keys.
bool NeedsSection(const HiveKey& key, bool isRoot) {
    if (key.fileOrder != -1 || !key.entries.empty() || key.isLink) {
        return true;
    }
    return !isRoot && key.subKeys.empty();
}

// Brings a changed or new key's section up to date: a fresh header and time, its values in the
// hive's layout, every other line as it stood.
void RenewSection(HiveKey& key, const std::vector<std::string>& path) {
    const HiveTime time = key.changedAt.value_or(HiveTimeNow());
    if (key.fileOrder == -1) {
        key.leadingLines = "\n";
        key.spelledPath = SpelledPath(path);
    }
    key.headerLine = "[" + key.spelledPath + "] " + std::to_string(UnixSecondsOf(time)) + "\n";
    if (std::none_of(key.entries.begin(), key.entries.end(), IsTimeLine)) {
        key.entries.insert(key.entries.begin(), HiveEntry{false, {}, {}, {}});
        key.entries.front().text = "#time=";
    }
    for (auto& entry : key.entries) {
        if (IsTimeLine(entry)) {
            entry.text = TimeLine(time);
        } else if (entry.text.empty()) {
            entry.text = FormatValueLine(entry.name, entry.value);
        }
        EndLine(entry.text);
    }
    key.changedAt.reset();
}

std::string SectionText(const HiveKey& key) {
    std::string text = key.leadingLines + key.headerLine;
    for (const auto& entry : key.entries) {
        text += entry.text;
    }
    return text;
}

class PieceCollector {
  public:
    std::vector<Piece> pieces;

    void Visit(HiveKey& key, std::vector<std::string>& path, bool isRoot) {
        if (NeedsSection(key, isRoot)) {
            if (key.fileOrder != -1) {
                anchor_ = key.fileOrder;
                sequence_ = 0;
            } else {
                ++sequence_;
            }
            if (key.fileOrder == -1 || key.changedAt) {
                RenewSection(key, path);
            }
            pieces.push_back({anchor_, sequence_, &key, nullptr});
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

std::string WriteHiveText(Hive& hive) {
    PieceCollector collector;
    std::vector<std::string> path;
    collector.Visit(hive.root, path, true);
    auto& pieces = collector.pieces;
    for (auto& orphan : hive.orphans) {
        pieces.push_back({orphan.fileOrder, 0, nullptr, &orphan});
    }
    std::stable_sort(pieces.begin(), pieces.end(), [](const Piece& a, const Piece& b) {
        return a.anchor != b.anchor ? a.anchor < b.anchor : a.sequence < b.sequence;
    });
    std::string text = hive.preamble;
    long order = 0;
    for (const auto& piece : pieces) {
        EndLine(text);  // the file's last line may have had no line end
        if (piece.key) {
            piece.key->fileOrder = order++;
            text += SectionText(*piece.key);
        } else {
            piece.orphan->fileOrder = order++;
            text += piece.orphan->text;
        }
    }
    return text;
}

}  // namespace platform
