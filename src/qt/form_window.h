#pragma once

#include <QMainWindow>
#include <array>
#include <deque>
#include <memory>
#include <optional>
#include <unordered_map>

#include "forms/form.h"
#include "qt/control_view.h"
#include "qt/window_menus.h"

namespace frontend {

// One loaded window of the program as a top-level Qt window: its title, icon, place and size
// (twips), state, border, stacking and taskbar entry follow the form, and its controls are
// widgets in their containers at their places. What the user does to the window (close box,
// resizing, moving, minimising) goes to the form, which decides; the window then shows what the
// form settled on.
class FormWindow final : public QMainWindow {
  public:
    // applicationInTaskbar: the application's own taskbar setting, which outlives the window.
    FormWindow(forms::Form& form, const bool& applicationInTaskbar);
    ~FormWindow() override;

    // Null once the form has been unloaded.
    forms::Form* form() const { return form_; }
    // The form has been unloaded: the window hides and never touches the form again.
    void Detach();

    // A modal window blocks input to every other window.
    void SetModal(bool modal);
    // The application's taskbar setting changed.
    void ApplyTaskbarEntry();
    // The view of a control, or null (tests reach widgets through it).
    ControlView* ViewOf(const forms::Control& control) const;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void OnChange(const forms::Change& change);
    void OnControlChange(forms::Control& control, const forms::Change& change);
    void ApplyFormProperty(forms::Property property);
    void ApplyFlags();
    bool SkipsTaskbar() const;
    void ApplyAll();
    void ApplyGeometry();
    void ApplyMinimumSize();
    QSize WidgetSizeOf(double widthTwips, double heightTwips) const;
    void ApplyVisible();
    void ApplyWindowState();
    void KeepNormalGeometry();
    void ReportInsets();
    bool TakesWindowSystemGeometry() const;
    void TakeUserPosition();
    void TakeUserSize();

    void AddView(forms::Control& control);
    void RemoveView(forms::Control& control);
    void PlaceView(ControlView& view);
    void Restack(QWidget* area);
    QWidget* AreaOf(const forms::Control* container) const;
    // Clicks the window's default or cancel button; false when it has none.
    bool PressButton(bool defaultButton);
    void QueuePaint();

    forms::Form* form_;
    const bool& applicationInTaskbar_;
    QWidget* client_;
    WindowMenus menus_;
    std::unordered_map<const forms::Control*, std::unique_ptr<ControlView>> views_;
    forms::ObserverId observer_ = 0;
    bool paintQueued_ = false;
    // Places and sizes asked of the window system and not yet answered, and whether the window is
    // taking them from the form right now (Qt then reports them at once).
    std::deque<QPoint> requestedPlaces_;
    std::deque<QSize> requestedSizes_;
    bool applyingGeometry_ = false;
    // Shown minimised, and not yet seen iconified by the window manager.
    bool awaitingIconified_ = false;
    // The form's state as the window last took it, whether the user is changing it now, and the
    // place and size (twips) a window maximised by the program comes back to.
    forms::WindowState lastState_ = forms::WindowState::Normal;
    bool takingUserState_ = false;
    std::optional<std::array<double, 4>> normalGeometry_;
};

}  // namespace frontend
