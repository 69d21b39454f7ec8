#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

namespace frontend {

// Holds back the paints of one window while the program has it locked, as the desktop's window
// lock does: whatever changed meanwhile is painted once the lock is released, and nothing else.
// (Switching the window's updates off would forget what changed and repaint all of it on release,
// and a scan releases its lock every hundred items.) Installed on the application.
class WindowPaintLock final : public QObject {
  public:
    WindowPaintLock();
    ~WindowPaintLock() override;
    WindowPaintLock(const WindowPaintLock&) = delete;
    WindowPaintLock& operator=(const WindowPaintLock&) = delete;

    // Locks this window (nullptr: none), releasing the one locked before.
    void Lock(QWidget* window);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Release();

    QPointer<QWidget> locked_;
    bool held_ = false;  // a paint of the locked window was asked for meanwhile
};

}  // namespace frontend
