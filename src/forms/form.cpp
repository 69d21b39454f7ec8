#include "forms/form.h"

#include <algorithm>
#include <cmath>

#include "forms/form_registry.h"
#include "forms/host.h"
#include "platform/text_case.h"

namespace forms {
namespace {

std::int32_t NextWindowHandle() {
    static std::int32_t last = 0x10000;
    last += 4;
    return last;
}

void RequireSize(double value, const char* what) {
    if (value < 0 || std::isnan(value)) {
        throw InvalidPropertyValue(std::string(what) + " must not be negative");
    }
}

// Runs on leaving a scope, also when a handler throws.
template <class F>
class OnExit {
  public:
    explicit OnExit(F action) : action_(std::move(action)) {}
    ~OnExit() { action_(); }
    OnExit(const OnExit&) = delete;
    OnExit& operator=(const OnExit&) = delete;

  private:
    F action_;
};

}  // namespace

Form::Form(std::string name) : name_(std::move(name)), hwnd_(NextWindowHandle()) {}

Form::~Form() = default;

void Form::SetCaption(const std::string& caption) {
    Update(caption_, caption, Property::Caption);
}

void Form::SetIcon(const ImageId& icon) {
    Update(icon_, icon, Property::Icon);
}

void Form::SetVisible(bool visible) {
    if (!Update(visible_, visible, Property::Visible)) {
        return;
    }
    if (visible && (!shownOnce_ || resizedWhileHidden_)) {
        shownOnce_ = true;
        resizedWhileHidden_ = false;
        Form_Resize();
    }
}

void Form::Show(ShowMode mode) {
    SetVisible(true);
    ZOrder();
    if (mode == ShowMode::Modal) {
        CurrentHost().RunModal(*this);
    }
}

void Form::ZOrder() {
    NotifyChanged(Property::ZOrder);
}

void Form::SetWindowState(forms::WindowState state) {
    if (Update(windowState_, state, Property::WindowState)) {
        RaiseResizeWhenLoaded();
    }
}

void Form::SetLeft(double left) {
    Update(left_, left, Property::Left);
}

void Form::SetTop(double top) {
    Update(top_, top, Property::Top);
}

void Form::SetWidth(double width) {
    SetSize(width, std::nullopt);
}
void Form::SetHeight(double height) {
    SetSize(std::nullopt, height);
}

void Form::Move(double left, double top) {
    SetLeft(left);
    SetTop(top);
}

void Form::Move(double left, double top, double width, double height) {
    SetLeft(left);
    SetTop(top);
    SetSize(width, height);
}

// One Form_Resize for a change of either or both dimensions.
void Form::SetSize(std::optional<double> width, std::optional<double> height) {
    if (width) {
        RequireSize(*width, "a window's width");
    }
    if (height) {
        RequireSize(*height, "a window's height");
    }
    const bool widthChanged = width && Update(width_, *width, Property::Width);
    const bool heightChanged = height && Update(height_, *height, Property::Height);
    if (widthChanged || heightChanged) {
        RaiseResizeWhenLoaded();
    }
}

// A window's constructor sets its design size and state; those are no resize of a loaded window.
void Form::RaiseResizeWhenLoaded() {
    if (loaded_) {
        resizedWhileHidden_ = resizedWhileHidden_ || !visible_;
        Form_Resize();
    }
}

void Form::SetScaleMode(forms::ScaleMode mode) {
    Update(scaleMode_, mode, Property::ScaleMode);
}

double Form::TwipsPerUnit() const {
    return scaleMode_ == forms::ScaleMode::Pixels ? kTwipsPerPixel : 1.0;
}

FrameInsets Form::Insets() const {
    if (measuredInsets_) {
        return *measuredInsets_;
    }
    if (borderless_) {
        return FrameInsets{};
    }
    return fixedBorder_ ? FrameInsets{3, 22, 3, 3} : FrameInsets{4, 23, 4, 4};
}

void Form::SetFrameInsets(const FrameInsets& insets) {
    Update(measuredInsets_, insets, Property::FrameInsets);
}

double Form::ScaleWidth() const {
    const FrameInsets insets = Insets();
    const double inner = width_ - (insets.left + insets.right) * kTwipsPerPixel;
    return std::max(0.0, inner) / TwipsPerUnit();
}

double Form::ScaleHeight() const {
    const FrameInsets insets = Insets();
    const double inner = height_ - (insets.top + insets.bottom) * kTwipsPerPixel;
    return std::max(0.0, inner) / TwipsPerUnit();
}

void Form::SetInnerSize(double widthTwips, double heightTwips) {
    RequireSize(widthTwips, "a window's inner width");
    RequireSize(heightTwips, "a window's inner height");
    const FrameInsets insets = Insets();
    SetSize(widthTwips + (insets.left + insets.right) * kTwipsPerPixel,
            heightTwips + (insets.top + insets.bottom) * kTwipsPerPixel);
}

void Form::SetFixedBorder(bool fixed) {
    Update(fixedBorder_, fixed, Property::FixedBorder);
}

void Form::SetTopMost(bool topMost) {
    Update(topMost_, topMost, Property::TopMost);
}

void Form::SetShowInTaskbar(bool show) {
    Update(showInTaskbar_, show, Property::ShowInTaskbar);
}

void Form::SetBorderless(bool borderless) {
    Update(borderless_, borderless, Property::Borderless);
}

void Form::SetTakesFocus(bool takes) {
    Update(takesFocus_, takes, Property::TakesFocus);
}

void Form::SetMinimumSize(double width, double height) {
    RequireSize(width, "a window's minimum width");
    RequireSize(height, "a window's minimum height");
    if (minimumWidth_ != width || minimumHeight_ != height) {
        minimumWidth_ = width;
        minimumHeight_ = height;
        NotifyChanged(Property::MinimumSize);
    }
}

Control* Form::FindControl(std::string_view name, std::optional<int> index) const {
    for (Control* control : controls_) {
        if (platform::EqualsIgnoringCase(control->Name(), name) &&
            (!index || control->Index() == index)) {
            return control;
        }
    }
    return nullptr;
}

bool Form::Unload() {
    return UnloadWith(true, UnloadMode::FromCode);
}
bool Form::UnloadSkippingQuery() {
    return UnloadWith(false, UnloadMode::FromCode);
}
bool Form::Close() {
    return UnloadWith(true, UnloadMode::ControlMenu);
}
bool Form::CloseForSessionEnd() {
    return UnloadWith(true, UnloadMode::AppWindows);
}

bool Form::UnloadWith(bool query, UnloadMode mode) {
    if (!loaded_ || unloading_) {
        return false;  // already gone, or its own unload handlers asked again
    }
    unloading_ = true;
    OnExit clearFlag([this] { unloading_ = false; });
    bool cancel = false;
    if (query) {
        Form_QueryUnload(cancel, mode);
        if (cancel) {
            return false;
        }
    }
    Form_Unload(cancel);
    if (cancel) {
        return false;
    }
    EndLoad();
    return true;
}

void Form::BeginLoad() {
    loaded_ = true;
    for (Control* control : controls_) {
        control->FormLoaded();
    }
}

void Form::EndLoad() {
    SetVisible(false);
    for (Control* control : controls_) {
        control->FormUnloading();
    }
    loaded_ = false;
    FormLoader::Retire(*this);
}

void Form::MouseMove(int button, int shift, double x, double y) {
    Form_MouseMove(button, shift, x, y);
}

void Form::Paint() {
    Form_Paint();
}

void Form::TrayMessage(int message) {
    if (loaded_) {
        Form_TrayMessage(message);
    }
}

void Form::Form_QueryUnload(bool&, UnloadMode) {}
void Form::Form_Unload(bool&) {}
void Form::Form_MouseMove(int, int, double, double) {}
void Form::Form_TrayMessage(int) {}

ObserverId Form::Observe(std::function<void(const Change&)> observer) {
    return observers_.Add(std::move(observer));
}

void Form::StopObserving(ObserverId id) {
    observers_.Remove(id);
}

void Form::Register(Control& control) {
    controls_.push_back(&control);
}

void Form::Unregister(Control& control) {
    std::erase(controls_, &control);
}

void Form::ControlChanged(Control& control, Property property, int item) {
    observers_.Notify(Change{this, &control, property, item});
}

void Form::NotifyChanged(Property property) {
    observers_.Notify(Change{this, nullptr, property, 0});
}

// A control created after the design: it starts with the form's state and is announced.
void Form::ControlJoined(Control& control) {
    if (loaded_) {
        control.FormLoaded();
    }
    observers_.Notify(Change{this, &control, Property::ControlAdded, 0});
}

void Form::ControlLeaving(Control& control) {
    control.FormUnloading();
    observers_.Notify(Change{this, &control, Property::ControlRemoved, 0});
}

}  // namespace forms
