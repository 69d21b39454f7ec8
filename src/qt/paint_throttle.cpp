#include "qt/paint_throttle.h"

#include <QCoreApplication>
#include <QEvent>
#include <utility>

namespace frontend {

PaintThrottle::PaintThrottle(int frameMs) : frameMs_(frameMs) {
    clock_.start();
    release_.setSingleShot(true);
    QObject::connect(&release_, &QTimer::timeout, [this] { DeliverHeldUpdates(); });
    QCoreApplication::instance()->installEventFilter(this);
}

PaintThrottle::~PaintThrottle() {
    if (QCoreApplication* application = QCoreApplication::instance()) {
        application->removeEventFilter(this);
    }
}

// Qt asks a window to bring its screen up to date with one UpdateRequest and sends no other until
// that one has been handled, so one held back keeps every later change for the frame's end.
bool PaintThrottle::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::UpdateRequest || !watched->isWidgetType()) {
        return false;
    }
    const qint64 now = clock_.elapsed();
    qint64& lastPaint = lastPaintMs_[watched];
    const qint64 frameLeft = lastPaint + frameMs_ - now;
    if (holding_ == 0 || frameLeft <= 0) {
        lastPaint = now;
        return false;
    }
    held_.append(static_cast<QWidget*>(watched));
    if (!release_.isActive()) {
        release_.start(static_cast<int>(frameLeft));
    }
    return true;
}

void PaintThrottle::DeliverHeldUpdates() {
    const QList<QPointer<QWidget>> held = std::exchange(held_, {});
    for (const QPointer<QWidget>& widget : held) {
        if (widget) {
            lastPaintMs_[widget.data()] = 0;  // its frame is over
            QCoreApplication::postEvent(widget.data(), new QEvent(QEvent::UpdateRequest),
                                        Qt::LowEventPriority);
        }
    }
}

}  // namespace frontend
