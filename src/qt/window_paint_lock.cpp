#include "qt/window_paint_lock.h"

#include <QCoreApplication>
#include <QEvent>

namespace frontend {

WindowPaintLock::WindowPaintLock() {
    QCoreApplication::instance()->installEventFilter(this);
}

WindowPaintLock::~WindowPaintLock() {
    if (QCoreApplication* application = QCoreApplication::instance()) {
        application->removeEventFilter(this);
    }
}

void WindowPaintLock::Lock(QWidget* window) {
    Release();
    locked_ = window;
}

void WindowPaintLock::Release() {
    if (locked_ && held_) {
        QCoreApplication::postEvent(locked_.data(), new QEvent(QEvent::UpdateRequest),
                                    Qt::LowEventPriority);
    }
    locked_ = nullptr;
    held_ = false;
}

// Qt paints a window in answer to the one UpdateRequest it posts to it, and posts no other until
// that one has been handled: the changed parts keep adding up meanwhile.
bool WindowPaintLock::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::UpdateRequest || !locked_ || watched != locked_.data()) {
        return false;
    }
    held_ = true;
    return true;
}

}  // namespace frontend
