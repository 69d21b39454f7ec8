#pragma once

#include <QIcon>
#include <QPixmap>

#include "forms/geometry.h"

// Pictures named by the model, loaded once and kept.
namespace frontend {

// The picture an ImageId names (see FindImageFile); a null pixmap when there is none.
QPixmap PictureOf(const forms::ImageId& id);
QIcon IconOf(const forms::ImageId& id);

// The icon of the program's windows when a window names none of its own.
QIcon ProgramIcon();

}  // namespace frontend
