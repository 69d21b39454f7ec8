#include "qt/desktop_launch.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStringList>
#include <QUrl>
#include <filesystem>

#include "platform/text_case.h"
#include "qt/host_paths.h"

namespace frontend {
namespace {

bool IsAddress(std::string_view text) {
    for (std::string_view scheme : {"http://", "https://", "mailto:"}) {
        if (platform::ToUpperText(text.substr(0, scheme.size())) == platform::ToUpperText(scheme)) {
            return true;
        }
    }
    return false;
}

// An argument as a program on this host reads it.
std::string HostArgument(const std::string& argument) {
    if (IsWindowsPath(argument)) {
        if (auto host = HostPathOf(argument)) {
            return host->string();
        }
    }
    return argument;
}

}  // namespace

std::vector<std::string> SplitCommandArguments(std::string_view arguments) {
    std::vector<std::string> split;
    std::string current;
    bool quoted = false;
    bool inArgument = false;
    for (char c : arguments) {
        if (c == '"') {
            quoted = !quoted;
            inArgument = true;
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (inArgument) {
                split.push_back(current);
                current.clear();
                inArgument = false;
            }
        } else {
            current += c;
            inArgument = true;
        }
    }
    if (inArgument) {
        split.push_back(current);
    }
    return split;
}

bool IsDesktopViewer(std::string_view program) {
    std::string name = platform::ToUpperText(program);
    if (const auto slash = name.find_last_of("\\/"); slash != std::string::npos) {
        name.erase(0, slash + 1);
    }
    if (name.ends_with(".EXE")) {
        name.resize(name.size() - 4);
    }
    return name == "EXPLORER" || name == "NOTEPAD";
}

bool OpenWithDesktop(const std::string& pathOrAddress) {
    if (IsAddress(pathOrAddress)) {
        return QDesktopServices::openUrl(QUrl(QString::fromStdString(pathOrAddress)));
    }
    const auto host = HostPathOf(pathOrAddress);
    std::error_code error;
    if (!host || !std::filesystem::exists(*host, error)) {
        return false;
    }
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(host->string())));
}

bool StartDetachedProgram(const std::string& program, const std::string& arguments) {
    const std::vector<std::string> split = SplitCommandArguments(arguments);
    if (IsDesktopViewer(program)) {
        // The viewers take the rest of their command line as one path, blanks and all.
        std::string item;
        for (const std::string& part : split) {
            item += (item.empty() ? "" : " ") + part;
        }
        return OpenWithDesktop(item);
    }
    QStringList hostArguments;
    for (const std::string& argument : split) {
        hostArguments.append(QString::fromStdString(HostArgument(argument)));
    }
    std::string hostProgram = program;
    if (IsWindowsPath(program)) {
        const auto host = HostPathOf(program);
        if (!host) {
            return false;
        }
        hostProgram = host->string();
    }
    return QProcess::startDetached(QString::fromStdString(hostProgram), hostArguments);
}

}  // namespace frontend
