#include "qt/pictures.h"

#include <QApplication>
#include <QStyle>
#include <map>

#include "qt/image_files.h"

namespace frontend {

QPixmap PictureOf(const forms::ImageId& id) {
    static std::map<forms::ImageId, QPixmap> loaded;
    if (auto found = loaded.find(id); found != loaded.end()) {
        return found->second;
    }
    // Only what was found is kept: a picture may be added to the folder later.
    QPixmap picture;
    if (auto file = FindImageFile(id)) {
        picture.load(QString::fromStdString(file->string()));
    }
    if (!picture.isNull()) {
        loaded.emplace(id, picture);
    }
    return picture;
}

QIcon IconOf(const forms::ImageId& id) {
    const QPixmap picture = PictureOf(id);
    return picture.isNull() ? QIcon() : QIcon(picture);
}

QIcon ProgramIcon() {
    QIcon icon = IconOf("program_icon");
    if (icon.isNull()) {
        icon = QApplication::windowIcon();
    }
    if (icon.isNull()) {
        icon = QApplication::style()->standardIcon(QStyle::SP_ComputerIcon);
    }
    return icon;
}

}  // namespace frontend
