#include "localization/language_file.h"

#include "platform/machine.h"
#include "platform/text_case.h"
#include "platform/text_encoding.h"

namespace {

constexpr std::string_view kGroupOpen = "<language_group";
constexpr std::string_view kGroupClose = "</language_group>";
constexpr std::string_view kNameOpen = "<language_name>";
constexpr std::string_view kNameClose = "</language_name>";
constexpr std::string_view kItemsOpen = "<translation_items>";
constexpr std::string_view kItemsClose = "</translation_items>";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The text between the first open tag and the first close tag after it, found in the lower-cased
// copy of text (folding keeps every position, so it serves the original text too).
std::optional<std::string_view> TextBetween(std::string_view text, std::string_view folded,
                                            std::string_view open, std::string_view close) {
    const std::size_t start = folded.find(open);
    if (start == std::string_view::npos) {
        return std::nullopt;
    }
    const std::size_t textStart = start + open.size();
    const std::size_t end = folded.find(close, textStart);
    if (end == std::string_view::npos) {
        return std::nullopt;
    }
    return text.substr(textStart, end - textStart);
}

// One language group of the file: its name and its items, when present.
struct LanguageGroup {
    std::optional<std::string_view> name;
    std::optional<std::string_view> items;
};

// Calls visit for each complete group in file order until it returns false. A group without its
// closing tag ends the walk.
template <class Visit>
void ForEachLanguageGroup(std::string_view fileText, Visit visit) {
    const std::string foldedText = platform::ToLowerText(fileText);
    const std::string_view folded = foldedText;
    std::size_t searchFrom = 0;
    while (true) {
        const std::size_t start = folded.find(kGroupOpen, searchFrom);
        if (start == std::string_view::npos) {
            return;
        }
        const std::size_t end = folded.find(kGroupClose, start);
        if (end == std::string_view::npos) {
            return;
        }
        const std::string_view group = fileText.substr(start, end - start);
        const std::string_view foldedGroup = folded.substr(start, end - start);
        searchFrom = end + kGroupClose.size();
        if (!visit(LanguageGroup{TextBetween(group, foldedGroup, kNameOpen, kNameClose),
                                 TextBetween(group, foldedGroup, kItemsOpen, kItemsClose)})) {
            return;
        }
    }
}

// Replaces every occurrence of find (letter case ignored) once, left to right.
std::string ReplaceIgnoringCase(std::string_view text, std::string_view find,
                                std::string_view replacement) {
    std::string result;
    std::size_t from = 0;
    for (std::size_t at = platform::FindIgnoringCase(text, find); at != std::string_view::npos;
         at = platform::FindIgnoringCase(text, find, from)) {
        result.append(text.substr(from, at - from));
        result.append(replacement);
        from = at + find.size();
    }
    result.append(text.substr(from));
    return result;
}

// The tag name an item line starts with: the text before its first ">", after the first "<" of
// that; nothing for a line without ">" or whose text before it is two characters or shorter.
std::optional<std::string_view> ItemKey(std::string_view line) {
    const std::size_t close = line.find('>');
    if (close == std::string_view::npos || close <= 2) {
        return std::nullopt;
    }
    std::string_view key = line.substr(0, close);
    if (const std::size_t open = key.find('<'); open != std::string_view::npos) {
        key.remove_prefix(open + 1);
    }
    return key;
}

// The text of an item line between "<key>" and "</key>"; "" when either tag is missing.
std::string ItemText(std::string_view line, std::string_view key) {
    const std::string open = "<" + std::string(key) + ">";
    const std::string close = "</" + std::string(key) + ">";
    const std::size_t start = platform::FindIgnoringCase(line, open);
    if (start == std::string_view::npos) {
        return "";
    }
    const std::size_t textStart = start + open.size();
    const std::size_t end = platform::FindIgnoringCase(line, close, textStart);
    if (end == std::string_view::npos) {
        return "";
    }
    return std::string(line.substr(textStart, end - textStart));
}

}  // namespace

std::optional<std::string> ReadLanguageFile(std::string_view path) {
    std::string bytes;
    if (platform::CurrentMachine().files().ReadBytes(path, &bytes) != platform::ERROR_SUCCESS) {
        return std::nullopt;
    }
    std::string_view text = bytes;
    if (text.starts_with(kByteOrderMark)) {
        text.remove_prefix(kByteOrderMark.size());
    }
    return platform::EncodeUtf8(platform::DecodeUtf8(text));
}

std::vector<std::string> LanguageGroupNames(std::string_view fileText) {
    std::vector<std::string> names;
    ForEachLanguageGroup(fileText, [&names](const LanguageGroup& group) {
        if (group.name) {
            names.emplace_back(*group.name);
        }
        return true;
    });
    return names;
}

std::optional<std::string> LanguageGroupItems(std::string_view fileText,
                                              std::string_view language) {
    std::optional<std::string> items;
    ForEachLanguageGroup(fileText, [&](const LanguageGroup& group) {
        if (group.name && group.items && platform::EqualsIgnoringCase(*group.name, language)) {
            items = std::string(*group.items);
            return false;
        }
        return true;
    });
    return items;
}

std::vector<std::string> SplitItemLines(std::string_view items) {
    std::vector<std::string> lines;
    while (true) {
        const std::size_t end = items.find('\n');
        std::string_view line = items.substr(0, end);
        if (end != std::string_view::npos && line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        lines.emplace_back(line);
        if (end == std::string_view::npos) {
            return lines;
        }
        items.remove_prefix(end + 1);
    }
}

std::string FindItemText(const std::vector<std::string>& itemLines, std::string_view key) {
    for (const std::string& line : itemLines) {
        const std::optional<std::string_view> lineKey = ItemKey(line);
        if (lineKey && platform::EqualsIgnoringCase(*lineKey, key)) {
            return ItemText(line, key);
        }
    }
    return "";
}

std::string ReplaceIdentityPlaceholders(std::string_view text, std::string_view programName,
                                        std::string_view companyName, std::string_view website) {
    std::string result = ReplaceIgnoringCase(text, "[ProgramName]", programName);
    result = ReplaceIgnoringCase(result, "[CompanyName]", companyName);
    return ReplaceIgnoringCase(result, "[Website]", website);
}

bool IsWholeLanguageFile(std::string_view fileText) {
    const std::string foldedText = platform::ToLowerText(fileText);
    const std::string_view folded = foldedText;
    // The outer element: the first tag that is neither a declaration nor a comment.
    std::size_t tag = folded.find('<');
    while (tag != std::string_view::npos && tag + 1 < folded.size() &&
           (folded[tag + 1] == '?' || folded[tag + 1] == '!')) {
        tag = folded.find('<', tag + 1);
    }
    if (tag == std::string_view::npos) {
        return false;
    }
    const std::size_t nameEnd = folded.find_first_of(" \t\r\n/>", tag + 1);
    const std::string rootClose =
        "</" + std::string(folded.substr(tag + 1, nameEnd - tag - 1)) + ">";
    std::size_t groupsEnd = tag;
    for (std::size_t start = folded.find(kGroupOpen); start != std::string_view::npos;
         start = folded.find(kGroupOpen, groupsEnd)) {
        const std::size_t end = folded.find(kGroupClose, start);
        const std::size_t next = folded.find(kGroupOpen, start + kGroupOpen.size());
        if (end == std::string_view::npos || next < end ||
            !TextBetween(fileText.substr(start, end - start), folded.substr(start, end - start),
                         kNameOpen, kNameClose)) {
            return false;
        }
        groupsEnd = end + kGroupClose.size();
    }
    return nameEnd != std::string_view::npos && groupsEnd > tag &&
           folded.find(rootClose, groupsEnd) != std::string_view::npos;
}
