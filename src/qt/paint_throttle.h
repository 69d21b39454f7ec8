#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace frontend {

// Paints a window at most once a frame while the program yields to the event loop: a scan yields
// once per item and changes its status texts each time, and every paint in between would only be
// painted over before anyone could see it. An update held back is delivered once its window's
// frame is over, so the last state is always painted. Installed on the application; it acts only
// while a Holding scope is open (the program's yields), never in the ordinary loop.
class PaintThrottle final : public QObject {
  public:
    explicit PaintThrottle(int frameMs);
    ~PaintThrottle() override;
    PaintThrottle(const PaintThrottle&) = delete;
    PaintThrottle& operator=(const PaintThrottle&) = delete;

    class Holding {
      public:
        explicit Holding(PaintThrottle& throttle) : throttle_(throttle) { ++throttle_.holding_; }
        ~Holding() { --throttle_.holding_; }
        Holding(const Holding&) = delete;
        Holding& operator=(const Holding&) = delete;

      private:
        PaintThrottle& throttle_;
    };

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void DeliverHeldUpdates();

    int frameMs_;
    int holding_ = 0;
    QElapsedTimer clock_;
    QHash<QObject*, qint64> lastPaintMs_;
    QList<QPointer<QWidget>> held_;
    QTimer release_;
};

}  // namespace frontend
