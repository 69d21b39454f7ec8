#include "qt/screen_areas.h"

namespace frontend {

forms::PixelRect ToPixelRect(const QRect& rect) {
    return forms::PixelRect{rect.left(), rect.top(), rect.left() + rect.width(),
                            rect.top() + rect.height()};
}

forms::PixelRect TaskbarOf(const QRect& screen, const QRect& available) {
    const forms::PixelRect whole = ToPixelRect(screen);
    const forms::PixelRect free = ToPixelRect(available);
    if (free.bottom < whole.bottom) {
        return {whole.left, free.bottom, whole.right, whole.bottom};
    }
    if (free.top > whole.top) {
        return {whole.left, whole.top, whole.right, free.top};
    }
    if (free.right < whole.right) {
        return {free.right, whole.top, whole.right, whole.bottom};
    }
    if (free.left > whole.left) {
        return {whole.left, whole.top, free.left, whole.bottom};
    }
    return {};
}

}  // namespace frontend
