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

// The path of the key a walk of the tree has reached, spelled as a header spells it. It is spelled
// only when a new key needs it, and what is spelled is kept for the keys that follow below the same
// keys: a deep tree is spelled once, not once per key.
class SpelledPath {
  public:
    void Enter(const HiveKey& key, std::size_t depth) {
        chain_.resize(depth);
        chain_.push_back(&key);
        // The keys above it are those the walk passed on its way to the key before it.
        if (depth == 0 || ends_.size() >= depth) {
            ends_.resize(depth == 0 ? 0 : depth - 1);
            text_.resize(ends_.empty() ? 0 : ends_.back());
        }
    }

    const std::string& Text() {
        for (std::size_t depth = ends_.size() + 1; depth < chain_.size(); ++depth) {
            text_ += depth > 1 ? "\\\\" : "";
            text_ += EscapeHiveText(Utf8ToUtf16(chain_[depth]->name), "[]");
            ends_.push_back(text_.size());
        }
        return text_;
    }

  private:
    std::vector<const HiveKey*> chain_;  // the key reached and the keys above it, from the root
    std::vector<std::size_t> ends_;      // where each spelled key's name ends in text_
    std::string text_;
};

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
void RenewSection(HiveKey& key, SpelledPath& path) {
    const HiveTime time = key.changedAt.value_or(HiveTimeNow());
    std::string spelledPath;
    if (key.fileOrder == -1) {
        key.leadingLines = "\n";
        spelledPath = path.Text();
    } else {
        // As the file spelled it: between the header's first "[" and its last "]", after which
        // a header holds only its time.
        const std::size_t open = key.headerLine.find('[');
        spelledPath = key.headerLine.substr(open + 1, key.headerLine.rfind(']') - open - 1);
    }
    key.headerLine = "[" + spelledPath + "] " + std::to_string(UnixSecondsOf(time)) + "\n";
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

template <typename Take>
void ForEachPieceOfSection(const HiveKey& key, Take take) {
    take(key.leadingLines);
    take(key.headerLine);
    for (const auto& entry : key.entries) {
        take(entry.text);
    }
}

// The sections of the tree, in the order of a walk over it.
std::vector<Piece> CollectSections(HiveKey& root) {
    std::vector<Piece> pieces;
    SpelledPath path;
    long anchor = -1;
    long sequence = 0;
    ForEachKey(root, [&](HiveKey& key, std::size_t depth) {
        path.Enter(key, depth);
        if (!NeedsSection(key, depth == 0)) {
            return;
        }
        if (key.fileOrder != -1) {
            anchor = key.fileOrder;
            sequence = 0;
        } else {
            ++sequence;
        }
        if (key.fileOrder == -1 || key.changedAt) {
            RenewSection(key, path);
        }
        pieces.push_back({anchor, sequence, &key, nullptr});
    });
    return pieces;
}

}  // namespace

std::string WriteHiveText(Hive& hive) {
    std::vector<Piece> pieces = CollectSections(hive.root);
    for (auto& orphan : hive.orphans) {
        pieces.push_back({orphan.fileOrder, 0, nullptr, &orphan});
    }
    std::stable_sort(pieces.begin(), pieces.end(), [](const Piece& a, const Piece& b) {
        return a.anchor != b.anchor ? a.anchor < b.anchor : a.sequence < b.sequence;
    });
    // The whole text in one piece of memory: a hive may hold millions of keys.
    std::size_t size = hive.preamble.size();
    for (const auto& piece : pieces) {
        if (piece.key) {
            ForEachPieceOfSection(*piece.key,
                                  [&](const std::string& part) { size += part.size(); });
        } else {
            size += piece.orphan->text.size();
        }
        ++size;  // a line end that may be added
    }
    std::string text;
    text.reserve(size);
    text += hive.preamble;
    long order = 0;
    for (const auto& piece : pieces) {
        EndLine(text);  // the file's last line may have had no line end
        if (piece.key) {
            piece.key->fileOrder = order++;
            ForEachPieceOfSection(*piece.key, [&](const std::string& part) { text += part; });
        } else {
            piece.orphan->fileOrder = order++;
            text += piece.orphan->text;
        }
    }
    return text;
}

}  // namespace platform
