#pragma once

#include <QKeyEvent>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <optional>

#include "forms/change.h"
#include "forms/control.h"

namespace frontend {

// One control shown as one widget. The view re-reads a property of the control whenever the model
// says it changed, and turns the user's input on the widget into the control's own input methods
// (Click(), SetValue(), ...), the same path code takes. A view whose window has been unloaded is
// dead: it no longer touches the model, which may already be gone.
class ControlView : public QObject {
  public:
    ControlView(forms::Control& control, QWidget* widget);
    ~ControlView() override;

    forms::Control& control() const { return control_; }
    QWidget* widget() const { return widget_; }
    // Where the controls this one holds are placed; null for controls that hold none.
    virtual QWidget* childArea() const { return nullptr; }

    // Shows every property as the model has it now.
    void ApplyAll();
    // Shows one changed property. Container, ControlAdded and ControlRemoved belong to the window.
    void Apply(const forms::Change& change);
    // Positions the widget in its container (in pixels) as the model has it.
    void ApplyGeometry();

    // The window went away: from now on nothing reaches the model.
    virtual void Kill() { alive_ = false; }
    bool alive() const { return alive_; }

  protected:
    // The control type's own properties: Apply is given the property and the row or item.
    virtual void ApplyOwn(forms::Property property, int item) = 0;
    virtual void ApplyAllOwn() = 0;
    // Colours: most widgets take the back colour as their window colour and the fore colour as
    // their text; labels and frames decide for themselves.
    virtual void ApplyColors();

    // Runs the user's action on the model unless the view is dead; a failure escaping the program
    // is reported (unhandled_errors.h). Returns whether the view is still alive afterwards, so the
    // caller may show the model's answer.
    template <class Action>
    bool FromUser(Action&& action);

    // Mouse input on these widgets also reaches the control's MouseDown/Up/Move, and a key let go
    // over them its KeyUp.
    void ForwardMouseFrom(QWidget* source);
    bool eventFilter(QObject* watched, QEvent* event) override;

    double TwipsPerUnit() const;

  private:
    void RunUserAction(const std::function<void()>& action);
    void ApplyTabStop();
    bool ForwardKeyRelease(QObject* watched, QKeyEvent& event);

    forms::Control& control_;
    QPointer<QWidget> widget_;
    bool alive_ = true;
    // Set while a mouse or key release goes to the widget ahead of the control's MouseUp or KeyUp.
    bool releasing_ = false;
    // The widget's own focus policy, before the control's TabStop took Tab out of it.
    std::optional<Qt::FocusPolicy> ownFocusPolicy_;
};

template <class Action>
bool ControlView::FromUser(Action&& action) {
    if (!alive_) {
        return false;
    }
    RunUserAction(std::forward<Action>(action));
    return alive_;
}

}  // namespace frontend
