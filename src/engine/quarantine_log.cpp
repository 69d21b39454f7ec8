#include "engine/quarantine_log.h"

#include "engine/globals.h"
#include "forms/host.h"
#include "foundation/program_folder.h"
#include "platform/machine.h"
#include "platform/text_lines.h"

namespace {

// One append for the whole entry, so that a failing write cannot leave half an entry behind.
void AppendEntry(const std::vector<std::string>& lines) {
    if (!gLogRemovals) {
        return;
    }
    std::string text = platform::JoinTextLines(lines);
    text.resize(text.size() - 2);  // the writer adds the last line end itself
    platform::CurrentMachine().files().AppendLine(QuarantineLogPath(), text);
}

std::string Now() {
    return DateTimeText(forms::CurrentHost().Now());
}

}  // namespace

std::string QuarantineFolder() {
    return ProgramFolderFile("quarantine");
}

std::string QuarantineLogPath() {
    return QuarantineFolder() + "\\QuarantineLog.txt";
}

std::string DateTimeText(const platform::DateTime& when) {
    return platform::FormatShortDate(when) + " " + platform::FormatLongTime(when);
}

std::vector<std::string> QuarantinedFileEntry(std::string_view when, std::string_view name,
                                              std::string_view path) {
    return {std::string(when) + " - File: " + std::string(name),
            " - Location: " + std::string(path), "", ""};
}

std::vector<std::string> QuarantinedRegistryEntry(std::string_view when, std::string_view keyText,
                                                  std::string_view valueText) {
    return {std::string(when) + " - Key: " + std::string(keyText),
            "Value: " + std::string(valueText), "", ""};
}

void LogQuarantinedFile(std::string_view path, std::string_view name) {
    AppendEntry(QuarantinedFileEntry(Now(), name, path));
}

void LogQuarantinedRegistryItem(std::string_view keyText, std::string_view valueText) {
    AppendEntry(QuarantinedRegistryEntry(Now(), keyText, valueText));
}
