#pragma once

#include <QLabel>
#include <functional>

namespace frontend {

// A label that reports a click (a left press and release over it).
class ClickableLabel final : public QLabel {
  public:
    using QLabel::QLabel;
    std::function<void()> onClick;

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    bool pressed_ = false;
};

}  // namespace frontend
