#pragma once

#include <QFont>

#include "forms/geometry.h"

namespace frontend {

// The Qt font of a model font: its family (the desktop substitutes one it lacks), size in points,
// bold and italic.
QFont ToQFont(const forms::FontStyle& font);

}  // namespace frontend
