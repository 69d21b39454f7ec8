#include "qt/open_dialog.h"

#include <QFileDialog>
#include <QStringList>

#include "qt/host_paths.h"

namespace frontend {
namespace {

// The description without patterns it may already show in parentheses at its end.
QString BareDescription(QString description) {
    description = description.trimmed();
    if (description.endsWith(')')) {
        const qsizetype open = description.lastIndexOf('(');
        if (open > 0) {
            description = description.left(open).trimmed();
        }
    }
    return description;
}

QString QtPatterns(const QString& patterns) {
    QStringList shown;
    for (const QString& pattern : patterns.split(';', Qt::SkipEmptyParts)) {
        shown.append(pattern.trimmed() == QStringLiteral("*.*") ? QStringLiteral("*")
                                                                : pattern.trimmed());
    }
    return shown.join(' ');
}

}  // namespace

QString ToQtFileFilter(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split('|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString patterns = QtPatterns(parts[i + 1]);
        QString description = BareDescription(parts[i]);
        if (description.isEmpty()) {
            description = patterns;
        }
        filters.append(description + QStringLiteral(" (") + patterns + QStringLiteral(")"));
    }
    return filters.join(QStringLiteral(";;"));
}

std::optional<std::string> ShowOpenFileDialog(const forms::OpenDialogRequest& request) {
    QString start;
    if (auto folder = HostPathOf(request.initialFolder)) {
        start = QString::fromStdString(folder->string());
    }
    if (!request.fileName.empty()) {
        const auto file = HostPathOf(request.fileName);
        const QString name = file ? QString::fromStdString(file->string())
                                  : QString::fromStdString(request.fileName);
        start = start.isEmpty() || file ? name : start + '/' + name;
    }
    const QString chosen = QFileDialog::getOpenFileName(
        nullptr, QString::fromStdString(request.title), start, ToQtFileFilter(request.filter));
    if (chosen.isEmpty()) {
        return std::nullopt;
    }
    return WindowsPathOf(chosen.toStdString());
}

}  // namespace frontend
