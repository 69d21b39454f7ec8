#pragma once

// The window framework: windows (forms) and their controls as plain C++ objects.
//
// Declaring a window. A window is a class derived from forms::Form whose controls are members, in
// design order; its constructor sets the design values and wires the events to the handlers, which
// are members named control, underscore, event. One default instance per class is reached through a
// function named as the window:
//
//     class FrmDeleteForm : public forms::Form {
//     public:
//         FrmDeleteForm();
//         forms::Label Label1{*this, "Label1"};
//         forms::Frame Frame1{*this, "Frame1"};
//         forms::CommandButton Command1{*this, "Command1"};
//         forms::ControlArray<forms::SkinLabel> SkinLabel1{*this, "SkinLabel1"};
//     protected:
//         void Form_Load() override;
//     private:
//         void Command1_Click();
//         void SkinLabel1_Click(int index);
//     };
//
//     FrmDeleteForm::FrmDeleteForm() : Form("frmDelete") {
//         SetCaption("Delete Failed");
//         Command1.SetContainer(&Frame1);
//         Command1.SetCaption("Ok");
//         Command1.OnClick = [this] { Command1_Click(); };
//         SkinLabel1.Add(0);
//         SkinLabel1.Wire([this](forms::SkinLabel& label, int index) {
//             label.OnClick = [this, index] { SkinLabel1_Click(index); };
//         });
//     }
//
//     FrmDeleteForm& frmDelete() { return forms::DefaultInstance<FrmDeleteForm>(); }
//
// The first call of frmDelete() constructs the window, registers it as loaded and runs Form_Load;
// later calls return the same object until the window is unloaded; the next call after that loads a
// fresh window with its design values (form_registry.h). A constructor only sets design values: it
// must not reach other windows.
//
// Events. A control raises its events (OnClick, OnChange, ...) through the handler wired to it;
// the form's own events are the virtual Form_... members. Input from the front end goes through the
// same methods that code calls (Click(), SetValue(), Select(), UserSetChecked(), ...), so a user's
// click and a click made by code take one path.
//
// Observing. Every property change is told to the observers of the control and of its form as a
// Change (change.h): which form, which control (null for the form), which property, which row or
// entry. A front end observes each loaded form (ObserveForms() in form_registry.h tells it when
// forms load and unload), builds one widget per control (ControlVisitor or Kind()), and re-reads a
// property when told that it changed. Nothing in the model waits for the front end.
//
// Units. A form's Left, Top, Width and Height are twips; its controls' positions are in the unit
// of its ScaleMode (twips or pixels); 15 twips make a pixel.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "forms/change.h"
#include "forms/control.h"
#include "forms/errors.h"
#include "forms/geometry.h"
#include "forms/observers.h"

namespace forms {

enum class WindowState { Normal = 0, Minimized = 1, Maximized = 2 };
enum class ShowMode { Modeless = 0, Modal = 1 };
// Why a window is closing, as Form_QueryUnload is told.
enum class UnloadMode { ControlMenu = 0, FromCode = 1, AppWindows = 2, TaskManager = 3 };

// The border and title bar around a window's inner area, in pixels.
struct FrameInsets {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const FrameInsets&) const = default;
};

class Form {
  public:
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;
    virtual ~Form();

    const std::string& Name() const { return name_; }
    // A unique number for this window for the life of the process (never 0, never reused).
    std::int32_t Hwnd() const { return hwnd_; }
    // True from the load until the unload has run; a window object that is no longer loaded is
    // dead: reach the window again through its default-instance function.
    bool IsLoaded() const { return loaded_; }

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    const ImageId& Icon() const { return icon_; }
    void SetIcon(const ImageId& icon);

    bool Visible() const { return visible_; }
    // Showing the window the first time raises Form_Resize, and so does showing it after its state
    // or size changed while it was hidden: its layout then follows what the user sees.
    void SetVisible(bool visible);
    // Makes the window visible and brings it to the front. Modal: returns when the window has been
    // hidden or unloaded, while the host runs the event loop (timers keep ticking).
    void Show(ShowMode mode = ShowMode::Modeless);
    void Hide() { SetVisible(false); }
    // Brings the window to the front.
    void ZOrder();

    forms::WindowState WindowState() const { return windowState_; }
    // Raises Form_Resize when the state changes (not while the window's constructor sets its design
    // values: only a loaded window has events). Showing a minimised window keeps it minimised.
    void SetWindowState(forms::WindowState state);

    // The outer rectangle, in twips. Every change of Width or Height of a loaded window raises
    // Form_Resize.
    double Left() const { return left_; }
    double Top() const { return top_; }
    double Width() const { return width_; }
    double Height() const { return height_; }
    void SetLeft(double left);
    void SetTop(double top);
    void SetWidth(double width);
    void SetHeight(double height);
    void Move(double left, double top);
    void Move(double left, double top, double width, double height);

    forms::ScaleMode ScaleMode() const { return scaleMode_; }
    void SetScaleMode(forms::ScaleMode mode);
    // The inner area (outer size less border and title), in the unit of ScaleMode.
    double ScaleWidth() const;
    double ScaleHeight() const;
    // Sizes the window so that its inner area is this large, in twips.
    void SetInnerSize(double widthTwips, double heightTwips);
    // Twips in one unit of ScaleMode: 1 or 15.
    double TwipsPerUnit() const;

    // Until the front end reports the real border (SetFrameInsets), a sizable window is taken to
    // have 4-pixel edges and a 19-pixel title, a fixed one 3-pixel edges.
    FrameInsets Insets() const;
    void SetFrameInsets(const FrameInsets& insets);

    // A fixed border: no resizing, no minimise and maximise buttons.
    bool FixedBorder() const { return fixedBorder_; }
    void SetFixedBorder(bool fixed);
    bool TopMost() const { return topMost_; }
    void SetTopMost(bool topMost);
    bool ShowInTaskbar() const { return showInTaskbar_; }
    void SetShowInTaskbar(bool show);
    // No border and no title bar at all.
    bool Borderless() const { return borderless_; }
    void SetBorderless(bool borderless);
    // Whether showing the window makes it the active one, taking the keyboard; a notice that only
    // informs takes neither.
    bool TakesFocus() const { return takesFocus_; }
    void SetTakesFocus(bool takes);
    // The smallest outer size the front end lets a sizable window have, in twips (0: no limit).
    // The model itself takes any size.
    double MinimumWidth() const { return minimumWidth_; }
    double MinimumHeight() const { return minimumHeight_; }
    void SetMinimumSize(double width, double height);

    // The controls in design order; elements loaded and controls added at run time come last.
    const std::vector<Control*>& Controls() const { return controls_; }
    // The control with this name (letter case ignored) and index; without an index, the first
    // control of that name. Null when there is none.
    Control* FindControl(std::string_view name, std::optional<int> index = std::nullopt) const;
    // Adds a control at run time (owned by the form) and tells the observers. Throws
    // InvalidPropertyValue when a control of that name exists.
    template <class T>
    T& AddControl(const std::string& name);

    // Closing. Unload raises Form_QueryUnload (FromCode) and Form_Unload; either may cancel by
    // setting its flag, and the window stays loaded. Otherwise the window is hidden, its timers
    // stop, it leaves the loaded windows and its default instance is released; the object itself
    // is destroyed later, never while its code may still run (see DestroyUnloadedForms). Safe to
    // call from the window's own handlers. Returns whether the window was unloaded.
    bool Unload();
    // The same without Form_QueryUnload.
    bool UnloadSkippingQuery();
    // The user's close box: Form_QueryUnload (ControlMenu), then Form_Unload.
    bool Close();
    // The desktop session is ending: Form_QueryUnload (AppWindows), then Form_Unload.
    bool CloseForSessionEnd();

    // Input from the front end and the host.
    void MouseMove(int button, int shift, double x, double y);
    void Paint();
    // A message number of the tray icon this window owns (513 left button down, 515 left double
    // click, 516 right button down, 518 right double click, ...).
    void TrayMessage(int message);

    // Told about every change of the form and of each of its controls.
    ObserverId Observe(std::function<void(const Change&)> observer);
    void StopObserving(ObserverId id);

  protected:
    explicit Form(std::string name);

    // The window's events; each does nothing unless the window's class overrides it.
    virtual void Form_Load() {}
    virtual void Form_QueryUnload(bool& cancel, UnloadMode mode);
    virtual void Form_Unload(bool& cancel);
    virtual void Form_Resize() {}
    virtual void Form_MouseMove(int button, int shift, double x, double y);
    virtual void Form_Paint() {}
    virtual void Form_TrayMessage(int message);

  private:
    friend class Control;
    friend class FormLoader;
    template <class T>
    friend class ControlArray;

    void Register(Control& control);
    void Unregister(Control& control);
    void ControlChanged(Control& control, Property property, int item);
    void NotifyChanged(Property property);
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
    void ControlJoined(Control& control);
    void ControlLeaving(Control& control);
    bool UnloadWith(bool query, UnloadMode mode);
    void BeginLoad();
    void EndLoad();
    void SetSize(std::optional<double> width, std::optional<double> height);
    void RaiseResizeWhenLoaded();

    std::string name_;
    std::int32_t hwnd_;
    bool loaded_ = false;
    bool unloading_ = false;
    bool shownOnce_ = false;
    bool resizedWhileHidden_ = false;
    std::string caption_;
    ImageId icon_;
    bool visible_ = false;
    forms::WindowState windowState_ = forms::WindowState::Normal;
    double left_ = 0;
    double top_ = 0;
    double width_ = 4800;
    double height_ = 3600;
    forms::ScaleMode scaleMode_ = forms::ScaleMode::Twips;
    std::optional<FrameInsets> measuredInsets_;
    bool fixedBorder_ = false;
    bool topMost_ = false;
    bool showInTaskbar_ = true;
    bool borderless_ = false;
    bool takesFocus_ = true;
    double minimumWidth_ = 0;
    double minimumHeight_ = 0;
    std::vector<Control*> controls_;
    std::vector<std::unique_ptr<Control>> addedControls_;
    Observers<const Change&> observers_;
};

template <class T>
T& Form::AddControl(const std::string& name) {
    if (FindControl(name) != nullptr) {
        throw InvalidPropertyValue("a control named " + name + " exists on " + name_);
    }
    auto control = std::make_unique<T>(*this, name);
    T& added = *control;
    addedControls_.push_back(std::move(control));
    ControlJoined(added);
    return added;
}

}  // namespace forms
