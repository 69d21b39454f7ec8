#include "qt/desktop_launch.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStringList>
#include <QUrl>
#include <filesystem>
#include <optional>

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

// The local item a Windows path names, when it is there.
std::optional<QString> ExistingHostItem(const std::string& path) {
    const auto host = HostPathOf(path);
    std::error_code error;
    if (!host || !std::filesystem::exists(*host, error)) {
        return std::nullopt;
    }
    return QString::fromStdString(host->string());
}

// The first line of xdg-mime's answer to a query; nothing when it cannot be asked or fails.
std::optional<QString> AskXdgMime(const QStringList& query) {
    constexpr int kAnswerLimitMs = 5000;
    QProcess xdgMime;
    xdgMime.start(QStringLiteral("xdg-mime"), QStringList{QStringLiteral("query")} + query);
    if (!xdgMime.waitForFinished(kAnswerLimitMs)) {
        xdgMime.kill();
        xdgMime.waitForFinished();
        return std::nullopt;
    }
    if (xdgMime.exitStatus() != QProcess::NormalExit || xdgMime.exitCode() != 0) {
        return std::nullopt;
    }
    return QString::fromUtf8(xdgMime.readAllStandardOutput()).section(u'\n', 0, 0).trimmed();
}

}  // namespace

bool OpenWithDesktop(const std::string& pathOrAddress) {
    if (IsAddress(pathOrAddress)) {
        return QDesktopServices::openUrl(QUrl(QString::fromStdString(pathOrAddress)));
    }
    const auto item = ExistingHostItem(pathOrAddress);
    if (!item) {
        return false;
    }
    // Qt's own opener also ends in xdg-open where it is installed, but not on every platform
    // plugin.
    return QProcess::startDetached(QStringLiteral("xdg-open"), {*item}) ||
           QDesktopServices::openUrl(QUrl::fromLocalFile(*item));
}

bool DesktopHasApplicationFor(const std::string& path) {
    const auto item = ExistingHostItem(path);
    if (!item) {
        return false;
    }
    const auto type = AskXdgMime({QStringLiteral("filetype"), *item});
    if (!type || type->isEmpty()) {
        return false;
    }
    // "text/plain; charset=us-ascii": the type without its parameters.
    const QString bareType = type->section(u';', 0, 0).trimmed();
    const auto application = AskXdgMime({QStringLiteral("default"), bareType});
    return application && !application->isEmpty();
}

}  // namespace frontend
