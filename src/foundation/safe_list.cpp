#include "foundation/safe_list.h"

#include <array>
#include <vector>

#include "forms/host.h"
#include "foundation/definition_files.h"
#include "foundation/folder_tokens.h"
#include "foundation/globals.h"
#include "foundation/path_text.h"
#include "foundation/program_error.h"
#include "foundation/registry_access.h"
#include "platform/text_case.h"

namespace {

std::string_view NameOf(std::string_view nameField) {
    return TrimBlanks(nameField.substr(0, nameField.find('=')));
}

// Root name, "\", key path and, when the record names one, "\" and the value name.
std::string RegistryEntry(std::string_view pathField) {
    const auto pieces = SplitAt(pathField, '^');
    if (pieces.size() < 2) {
        return "";
    }
    RegRootFromCode(pieces[0]);
    std::string entry = gRegRootName + "\\" + std::string(pieces[1]);
    if (pieces.size() > 2) {
        entry.append("\\").append(pieces[2]);
    }
    return entry;
}

std::string EntryOfKind(std::string_view kind, std::string_view name, const std::string& path) {
    if (kind == "SFILE" || kind == "SEXE" || kind == "SDLL") {
        return path.empty() ? std::string(name) : path;
    }
    if (kind == "SREG") {
        return RegistryEntry(path);
    }
    return kind == "SDIR" ? path : "";
}

// The entry of one decoded line ("" for none). kind is the kind in force: a line with "|" sets it,
// a line without continues it.
std::string SafeListEntry(std::string_view line, std::string& kind, FolderTokenExpander& tokens) {
    if (line.find('|') == std::string_view::npos) {
        return EntryOfKind(kind, NameOf(line), "");
    }
    const auto fields = SplitAt(line, '|');
    kind = fields[0];
    if (fields.size() < 3) {
        return "";
    }
    const std::string withDrive = ReplaceEachOnce(fields[2], "[drive]", tokens.SystemDriveRoot());
    const std::string path = ReplaceEachOnce(tokens.Expand(withDrive), "\\\\", "\\");
    const std::string entry = EntryOfKind(kind, NameOf(fields[1]), path);
    return ReplaceEachOnce(ReplaceEachOnce(entry, "\\\\", "\\"), "//", "/");
}

// Lower-case, no blanks around, and one trailing "/" and then one trailing "\" removed.
std::string ComparableForm(std::string_view text) {
    std::string comparable = platform::ToLowerText(TrimBlanks(text));
    for (const char separator : {'/', '\\'}) {
        if (!comparable.empty() && comparable.back() == separator) {
            comparable.pop_back();
        }
    }
    return comparable;
}

bool IsWholeHive(std::string_view comparableItem) {
    static constexpr std::array<std::string_view, 5> kHives = {
        "HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE", "HKEY_USERS",
        "HKEY_CURRENT_CONFIG"};
    std::string upper = platform::ToUpperText(comparableItem);
    if (!upper.empty() && upper.back() == '\\') {
        upper.pop_back();
    }
    for (const std::string_view hive : kHives) {
        if (upper == hive) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool LoadSafetyList(const std::function<bool()>& shouldStop) {
    gSafeList.clear();
    std::vector<std::string> lines;
    try {
        lines = ReadDefinitionLines(kSafetyFile);
    } catch (const ProgramError&) {
        return true;  // an unreadable list protects nothing, as a missing one
    }
    FolderTokenExpander tokens;
    std::string kind;
    for (const std::string& line : lines) {
        if (shouldStop && shouldStop()) {
            break;
        }
        if (std::string entry = SafeListEntry(line, kind, tokens); !entry.empty()) {
            gSafeList.push_back(std::move(entry));
        }
        forms::DoEvents();
    }
    return true;
}

bool IsSafeItem(std::string_view item) {
    const std::string wanted = ComparableForm(item);
    // A whole hive is never reported, whatever the list holds: removing one would wreck the
    // installation.
    if (wanted.empty() || IsWholeHive(wanted)) {
        return true;
    }
    for (const std::string& safe : gSafeList) {
        const std::string entry = ComparableForm(safe);
        if (!entry.empty() &&
            (entry == wanted || entry == wanted + "\\" || entry + "\\" == wanted)) {
            return true;
        }
    }
    return false;
}
