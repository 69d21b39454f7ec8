#include "qt/fonts.h"

namespace frontend {

QFont ToQFont(const forms::FontStyle& font) {
    QFont shown(QString::fromStdString(font.name));
    shown.setPointSizeF(font.size > 0 ? font.size : 8.25);
    shown.setBold(font.bold);
    shown.setItalic(font.italic);
    return shown;
}

}  // namespace frontend
