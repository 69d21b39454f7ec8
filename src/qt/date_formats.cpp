#include "qt/date_formats.h"

namespace frontend {

QString QtDateFormat(forms::DateFormat format, const std::string& customFormat) {
    switch (format) {
        case forms::DateFormat::LongDate:
            return QStringLiteral("dddd, MMMM d, yyyy");
        case forms::DateFormat::Time:
            return QStringLiteral("h:mm:ss AP");
        case forms::DateFormat::Custom: {
            QString qt = QString::fromStdString(customFormat);
            qt.replace(QStringLiteral("tt"), QStringLiteral("AP"));
            qt.replace(QChar('t'), QChar('A'));
            return qt;
        }
        default:
            return QStringLiteral("M/d/yyyy");
    }
}

QDateTime ToQDateTime(const platform::DateTime& value) {
    return QDateTime(QDate(value.year, value.month, value.day),
                     QTime(value.hour, value.minute, value.second));
}

platform::DateTime FromQDateTime(const QDateTime& value) {
    const QDate date = value.date();
    const QTime time = value.time();
    return platform::DateTime{date.year(), date.month(),  date.day(),
                              time.hour(), time.minute(), time.second()};
}

}  // namespace frontend
