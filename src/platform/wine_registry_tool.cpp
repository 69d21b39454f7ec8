#include "platform/wine_registry_tool.h"

#include <fcntl.h>
#include <unistd.h>

#include "platform/hive_utf16.h"
#include "platform/hive_value_text.h"
#include "platform/pending_file.h"
#include "platform/wine_tool.h"

namespace platform {
namespace {

// Between quotes: the backslash and the quote escaped, line breaks as \n and \r (which the tool
// reads back); a NUL cannot be written.
std::optional<std::string> Quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        switch (c) {
            case '\0':
                return std::nullopt;
            case '\\':
            case '"':
                out += '\\';
                out += c;
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            default:
                out += c;
        }
    }
    return out + "\"";
}

bool HasControlCharacter(const std::string& text) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) < 0x20) {
            return true;
        }
    }
    return false;
}

std::string Data(const RegValue& value) {
    if (value.type == REG_SZ && !HasControlCharacter(value.text)) {
        return *Quoted(value.text);
    }
    std::string data;
    AppendBinaryValueData(data, value);
    // Long data goes on over lines, which end in CR LF here as every line of the file does.
    std::string out;
    for (char c : data) {
        out += c == '\n' ? "\r\n" : std::string(1, c);
    }
    return out;
}

std::optional<std::string> KeyName(const WineRegistryEdit& edit) {
    std::string name = edit.topKey;
    for (const std::string& part : edit.edit.path) {
        if (part.find_first_of(std::string("\r\n\0", 3)) != std::string::npos) {
            return std::nullopt;
        }
        name += "\\" + part;
    }
    return name;
}

// One section per edit, in order, so that the tool makes them in the order they were made here.
std::optional<std::string> Section(const WineRegistryEdit& rooted) {
    const HiveEdit& edit = rooted.edit;
    const auto key = KeyName(rooted);
    if (!key) {
        return std::nullopt;
    }
    if (edit.kind == HiveEdit::Kind::DeleteKey) {
        return edit.path.empty() ? std::nullopt : std::optional("\r\n[-" + *key + "]\r\n");
    }
    std::string section = "\r\n[" + *key + "]\r\n";
    if (edit.kind == HiveEdit::Kind::CreateKey) {
        return section;
    }
    const auto name = edit.name.empty() ? std::optional<std::string>("@") : Quoted(edit.name);
    if (!name) {
        return std::nullopt;
    }
    return section + *name + "=" +
           (edit.kind == HiveEdit::Kind::DeleteValue ? "-" : Data(edit.value)) + "\r\n";
}

std::string Utf16LeWithMark(const std::string& text) {
    const std::vector<std::uint8_t> bytes = Utf16Bytes(Utf8ToUtf16(text));
    return "\xFF\xFE" + std::string(bytes.begin(), bytes.end());
}

}  // namespace

std::optional<std::string> RegistryEditorFile(const std::vector<WineRegistryEdit>& edits) {
    std::string text = "Windows Registry Editor Version 5.00\r\n";
    for (const WineRegistryEdit& edit : edits) {
        const auto section = Section(edit);
        if (!section) {
            return std::nullopt;
        }
        text += *section;
    }
    return Utf16LeWithMark(text);
}

long ImportThroughWine(const std::string& prefixFolder,
                       const std::vector<WineRegistryEdit>& edits) {
    const auto file = RegistryEditorFile(edits);
    if (!file) {
        return ERROR_INVALID_PARAMETER;
    }
    std::string path =
        (std::filesystem::temp_directory_path() / "tollenwark-changes-XXXXXX.reg").string();
    const int descriptor = ::mkostemps(path.data(), 4, O_CLOEXEC);
    if (descriptor < 0) {
        return ERROR_WRITE_FAULT;
    }
    const long written = WriteAll(descriptor, *file);
    ::close(descriptor);
    const long result =
        written == ERROR_SUCCESS
            ? RunWineTools(prefixFolder, {{"reg", "import", WineNameOfHostPath(path)}})
            : written;
    ::unlink(path.c_str());
    return result;
}

long ExportThroughWine(const std::string& prefixFolder, const std::filesystem::path& folder,
                       const std::vector<std::string>& keys) {
    std::vector<std::vector<std::string>> commands;
    for (const std::string& key : keys) {
        const std::string file = key == "HKLM"   ? "HKEY_LOCAL_MACHINE.reg"
                                 : key == "HKCU" ? "HKEY_CURRENT_USER.reg"
                                                 : "HKEY_USERS.Default.reg";
        commands.push_back(
            {"reg", "export", key, WineNameOfHostPath((folder / file).string()), "/y"});
    }
    return RunWineTools(prefixFolder, commands);
}

}  // namespace platform
