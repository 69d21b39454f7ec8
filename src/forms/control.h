#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

#include "forms/change.h"
#include "forms/control_kind.h"
#include "forms/event.h"
#include "forms/geometry.h"
#include "forms/observers.h"

namespace forms {

class Form;

// What every control has. A control is created as a member of its form's class (its design
// position in the form's control order is its place among the members), as an element of a
// ControlArray, or at run time through Form::AddControl. Positions are in the unit of the form's
// ScaleMode. Every setter that changes a value tells the observers of the control and of its form.
class Control {
  public:
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control();

    ControlKind Kind() const { return kind_; }
    std::string_view TypeName() const { return forms::TypeName(kind_); }
    const std::string& Name() const { return name_; }
    // The index in the control array, or nothing for a control that is not in one.
    std::optional<int> Index() const { return index_; }
    Form& Parent() const { return form_; }

    // The frame, picture box or (for menu items) menu that holds the control; null for the form.
    Control* Container() const { return container_; }
    // Moves the control into another container of the same form (null = the form itself). Throws
    // InvalidPropertyValue for a control that cannot hold this one.
    void SetContainer(Control* container);
    // Whether this control can hold the given one (frames and picture boxes hold any control but
    // menus; menus hold menus).
    virtual bool CanContain(const Control& child) const;

    bool Visible() const { return common_.visible; }
    void SetVisible(bool visible);
    bool Enabled() const { return common_.enabled; }
    void SetEnabled(bool enabled);
    // Whether Tab stops at the control (for the controls that take the keyboard at all).
    bool TabStop() const { return common_.tabStop; }
    void SetTabStop(bool tabStop);

    double Left() const { return common_.left; }
    double Top() const { return common_.top; }
    double Width() const { return common_.width; }
    double Height() const { return common_.height; }
    void SetLeft(double left);
    void SetTop(double top);
    // A negative size throws InvalidPropertyValue.
    void SetWidth(double width);
    void SetHeight(double height);
    void Move(double left, double top);
    void Move(double left, double top, double width, double height);

    const FontStyle& Font() const { return common_.font; }
    void SetFont(const FontStyle& font);
    void SetFontName(const std::string& name);
    void SetFontSize(double points);
    void SetFontBold(bool bold);
    void SetFontItalic(bool italic);

    Color BackColor() const { return common_.backColor; }
    void SetBackColor(Color color);
    Color ForeColor() const { return common_.foreColor; }
    void SetForeColor(Color color);
    const std::string& ToolTipText() const { return common_.toolTipText; }
    void SetToolTipText(const std::string& text);
    const std::string& Tag() const { return common_.tag; }
    void SetTag(const std::string& tag);

    virtual void Accept(ControlVisitor& visitor) = 0;

    // Told about every change of this control (the form's observers are told too).
    ObserverId Observe(std::function<void(const Change&)> observer);
    void StopObserving(ObserverId id);

    // Mouse events: button and shift masks (see geometry.h) and the position inside the control.
    Event<int, int, double, double> OnMouseDown;
    Event<int, int, double, double> OnMouseUp;
    Event<int, int, double, double> OnMouseMove;
    // Mouse input from the front end; a disabled control takes none.
    void MouseDown(int button, int shift, double x, double y);
    void MouseUp(int button, int shift, double x, double y);
    void MouseMove(int button, int shift, double x, double y);
    // A key let go while the control had the keyboard: its key code (forms::key, ...) and the shift
    // mask; a disabled control takes none. It comes after what the key did to the control.
    Event<int, int> OnKeyUp;
    void KeyUp(int keyCode, int shift);

  protected:
    Control(Form& form, ControlKind kind, std::string name, std::optional<int> index);

    void NotifyChanged(Property property, int item = 0);
    // Input events (a click, a key) reach an enabled control only.
    template <class... Args>
    void RaiseIfEnabled(const Event<Args...>& event, std::type_identity_t<Args>... args) {
        if (common_.enabled) {
            event.Raise(std::forward<Args>(args)...);
        }
    }

    // Assigns and notifies when the value differs; true when it did.
    template <class T, class U>
    bool Update(T& field, U&& value, Property property) {
        if (field == value) {
            return false;
        }
        field = std::forward<U>(value);
        NotifyChanged(property);
        return true;
    }

    // A new control-array element takes its properties from the array's lowest element: the
    // container and everything but Visible, which starts false. Controls with properties of their
    // own copy them too (without notifying: the element is not shown to anyone yet).
    virtual void CopyPropertiesFrom(const Control& source);

    // Hooks for controls that act on the state of their form or their own Enabled (timers).
    virtual void EnabledChanged() {}
    virtual void FormLoaded() {}
    virtual void FormUnloading() {}

  private:
    friend class Form;
    friend class TextCell;
    template <class T>
    friend class ControlArray;

    struct CommonProperties {
        bool visible = true;
        bool enabled = true;
        bool tabStop = true;
        double left = 0;
        double top = 0;
        double width = 0;
        double height = 0;
        FontStyle font;
        Color backColor = system_color::ButtonFace;
        Color foreColor = system_color::ButtonText;
        std::string toolTipText;
        std::string tag;
    };

    // The current font with one field changed.
    template <class T>
    FontStyle FontWith(T FontStyle::*field, const T& value) const;

    Form& form_;
    ControlKind kind_;
    std::string name_;
    std::optional<int> index_;
    Control* container_ = nullptr;
    CommonProperties common_;
    Observers<const Change&> observers_;
};

// A control with a caption: labels, buttons, check boxes, option buttons, frames and menus.
class CaptionedControl : public Control {
  public:
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);

  protected:
    using Control::Control;
    void CopyPropertiesFrom(const Control& source) override;

  private:
    std::string caption_;
};

// The caption of a control that has one; nothing for the others. This is how code that walks a
// window's controls by type name reads and writes captions.
CaptionedControl* AsCaptioned(Control& control);

}  // namespace forms
