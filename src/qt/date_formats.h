#pragma once

#include <QDateTime>
#include <QString>
#include <string>

#include "forms/date_picker.h"
#include "platform/us_date.h"

namespace frontend {

// The display format of a date picker in Qt's notation. Picker formats name the same fields as
// Qt's do ("dd/MM/yyyy", "hh:mm:ss"); "tt" and "t" (the AM/PM mark) become "AP" and "A".
QString QtDateFormat(forms::DateFormat format, const std::string& customFormat);

QDateTime ToQDateTime(const platform::DateTime& value);
platform::DateTime FromQDateTime(const QDateTime& value);

}  // namespace frontend
