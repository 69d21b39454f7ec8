#include "qt/form_window.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <array>
#include <utility>

#include "forms/buttons.h"
#include "qt/mouse_input.h"
#include "qt/outermost_loop.h"
#include "qt/pictures.h"
#include "qt/unhandled_errors.h"
#include "qt/units.h"
#include "qt/views.h"
#include "qt/window_system_state.h"

namespace frontend {
namespace {

bool IsContainer(const forms::Control& control) {
    return control.Kind() == forms::ControlKind::Frame ||
           control.Kind() == forms::ControlKind::PictureBox;
}

Qt::WindowStates ToQtState(forms::WindowState state) {
    switch (state) {
        case forms::WindowState::Minimized:
            return Qt::WindowMinimized;
        case forms::WindowState::Maximized:
            return Qt::WindowMaximized;
        default:
            return Qt::WindowNoState;
    }
}

forms::WindowState FromQtState(Qt::WindowStates state) {
    if (state & Qt::WindowMinimized) {
        return forms::WindowState::Minimized;
    }
    if (state & Qt::WindowMaximized) {
        return forms::WindowState::Maximized;
    }
    return forms::WindowState::Normal;
}

// The window system answers every place and size the program asks for, in turn. An answer is taken
// as the user's own change only when it answers none of the requests still open: a late answer to
// an earlier request must not undo a later one (a sliding window would stop or jump back).
constexpr std::size_t kOpenRequestsKept = 64;

template <class T>
void NoteRequest(std::deque<T>& requests, const T& value) {
    requests.push_back(value);
    if (requests.size() > kOpenRequestsKept) {
        requests.pop_front();
    }
}

template <class T>
bool AnswersRequest(std::deque<T>& requests, const T& value) {
    const auto found = std::find(requests.begin(), requests.end(), value);
    if (found == requests.end()) {
        return false;
    }
    requests.erase(requests.begin(), found + 1);
    return true;
}

// A change that moves a menu in or out of the menu bar.
bool ReshapesMenus(forms::Property property) {
    return property == forms::Property::ControlAdded ||
           property == forms::Property::ControlRemoved || property == forms::Property::Container;
}

}  // namespace

FormWindow::FormWindow(forms::Form& form, const bool& applicationInTaskbar)
    : form_(&form), applicationInTaskbar_(applicationInTaskbar), menus_(form, *this) {
    setObjectName(QString::fromStdString(form.Name()));
    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("client"));
    client_->setMouseTracking(true);
    client_->installEventFilter(this);
    setCentralWidget(client_);
    for (forms::Control* control : form.Controls()) {
        AddView(*control);
    }
    for (auto& [control, view] : views_) {
        PlaceView(*view);
    }
    Restack(client_);
    for (auto& [control, view] : views_) {
        if (QWidget* area = view->childArea()) {
            Restack(area);
        }
    }
    menus_.Rebuild();
    observer_ = form.Observe([this](const forms::Change& change) { OnChange(change); });
    ApplyAll();
}

FormWindow::~FormWindow() {
    Detach();
}

void FormWindow::Detach() {
    if (form_ == nullptr) {
        return;
    }
    form_->StopObserving(observer_);
    form_ = nullptr;
    for (auto& [control, view] : views_) {
        view->Kill();
    }
    menus_.Kill();
    hide();
}

ControlView* FormWindow::ViewOf(const forms::Control& control) const {
    auto found = views_.find(&control);
    return found == views_.end() ? nullptr : found->second.get();
}

// --- Following the form.

void FormWindow::OnChange(const forms::Change& change) {
    if (change.control == nullptr) {
        ApplyFormProperty(change.property);
    } else {
        OnControlChange(*change.control, change);
    }
}

void FormWindow::OnControlChange(forms::Control& control, const forms::Change& change) {
    using forms::Property;
    if (control.Kind() == forms::ControlKind::Menu) {
        if (ReshapesMenus(change.property)) {
            menus_.Rebuild();
            ReportInsets();
        } else {
            menus_.Apply(static_cast<forms::Menu&>(control));
        }
        return;
    }
    switch (change.property) {
        case Property::ControlAdded:
            AddView(control);
            if (ControlView* view = ViewOf(control)) {
                PlaceView(*view);
                Restack(view->widget()->parentWidget());
            }
            return;
        case Property::ControlRemoved:
            RemoveView(control);
            return;
        case Property::Container:
            if (ControlView* view = ViewOf(control)) {
                PlaceView(*view);
                Restack(view->widget()->parentWidget());
            }
            return;
        default:
            if (ControlView* view = ViewOf(control)) {
                view->Apply(change);
            }
            return;
    }
}

void FormWindow::ApplyFormProperty(forms::Property property) {
    using forms::Property;
    switch (property) {
        case Property::Caption:
            setWindowTitle(QString::fromStdString(form_->Caption()));
            break;
        case Property::Icon: {
            const QIcon icon = IconOf(form_->Icon());
            setWindowIcon(icon.isNull() ? ProgramIcon() : icon);
            break;
        }
        case Property::Visible:
            ApplyVisible();
            break;
        case Property::WindowState:
            KeepNormalGeometry();
            ApplyWindowState();
            break;
        case Property::Left:
        case Property::Top:
        case Property::Width:
        case Property::Height:
        case Property::FrameInsets:
        case Property::MinimumSize:
            ApplyGeometry();
            break;
        case Property::FixedBorder:
        case Property::TopMost:
        case Property::Borderless:
        case Property::TakesFocus:
            ApplyFlags();
            ApplyGeometry();
            break;
        case Property::ShowInTaskbar:
            ApplyTaskbarEntry();
            break;
        case Property::ScaleMode:
            for (auto& [control, view] : views_) {
                view->ApplyGeometry();
            }
            break;
        case Property::ZOrder:
            // Activating a minimised window would restore it; a notice takes no focus.
            if (isVisible() && !(windowState() & Qt::WindowMinimized)) {
                raise();
                if (form_->TakesFocus()) {
                    activateWindow();
                }
            }
            break;
        default:
            break;
    }
}

void FormWindow::ApplyAll() {
    ApplyFormProperty(forms::Property::Caption);
    ApplyFormProperty(forms::Property::Icon);
    ApplyFlags();
    ApplyGeometry();
    ApplyVisible();
}

// A native window takes new flags in place: QWidget::setWindowFlags would re-create it, hidden
// and without its place.
void FormWindow::ApplyFlags() {
    if (form_ == nullptr) {
        return;
    }
    Qt::WindowFlags flags = Qt::Window;
    if (form_->Borderless()) {
        flags |= Qt::FramelessWindowHint;
    } else if (form_->FixedBorder()) {
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;
    }
    if (form_->TopMost()) {
        flags |= Qt::WindowStaysOnTopHint;
    }
    if (!form_->TakesFocus()) {
        flags |= Qt::WindowDoesNotAcceptFocus;
    }
    setAttribute(Qt::WA_ShowWithoutActivating, !form_->TakesFocus());
    if (flags == windowFlags()) {
        return;
    }
    if (windowHandle() == nullptr) {
        setWindowFlags(flags);
    } else {
        overrideWindowFlags(flags);
        windowHandle()->setFlags(flags);
    }
    if (!form_->FixedBorder()) {
        ApplyMinimumSize();
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }
}

// Out of the taskbar when the application is, or when the window never shows there.
bool FormWindow::SkipsTaskbar() const {
    return !applicationInTaskbar_ || !form_->ShowInTaskbar();
}

void FormWindow::ApplyTaskbarEntry() {
    if (form_ != nullptr && isVisible()) {
        RequestSkipTaskbar(*this, SkipsTaskbar());
    }
}

// The widget's size for an outer size of the form, in twips.
QSize FormWindow::WidgetSizeOf(double widthTwips, double heightTwips) const {
    const forms::FrameInsets insets = form_->Insets();
    return QSize(
        std::max(1, TwipsToPixels(widthTwips) - insets.left - insets.right),
        std::max(1, TwipsToPixels(heightTwips) - insets.top - insets.bottom + menus_.BarHeight()));
}

// How small the user may drag a sizable window.
void FormWindow::ApplyMinimumSize() {
    if (form_ == nullptr || form_->FixedBorder()) {
        return;
    }
    if (form_->MinimumWidth() == 0 && form_->MinimumHeight() == 0) {
        setMinimumSize(0, 0);
    } else {
        setMinimumSize(WidgetSizeOf(form_->MinimumWidth(), form_->MinimumHeight()));
    }
}

// A minimised or maximised window is placed by the desktop; the form's place and size apply to
// the normal state.
void FormWindow::ApplyGeometry() {
    if (form_ == nullptr) {
        return;
    }
    ApplyMinimumSize();  // the insets it depends on may have changed
    if (form_->WindowState() != forms::WindowState::Normal) {
        return;
    }
    const QSize size = WidgetSizeOf(form_->Width(), form_->Height());
    const QPoint place(TwipsToPixels(form_->Left()), TwipsToPixels(form_->Top()));
    applyingGeometry_ = true;
    if (place != pos()) {
        // The place left may still be answered too.
        NoteRequest(requestedPlaces_, pos());
        NoteRequest(requestedPlaces_, place);
        move(place);
    }
    if (size != this->size()) {
        NoteRequest(requestedSizes_, size);
    }
    if (form_->FixedBorder() || form_->Borderless()) {
        setFixedSize(size);
    } else {
        resize(size);
    }
    applyingGeometry_ = false;
}

void FormWindow::ApplyVisible() {
    if (form_ == nullptr) {
        return;
    }
    awaitingIconified_ = false;
    if (!form_->Visible()) {
        hide();
        return;
    }
    setWindowState(ToQtState(form_->WindowState()));
    show();
    // Asked again once mapped: a window manager still withdrawing the window from its last
    // showing may put back the state it had then.
    RequestSkipTaskbar(*this, SkipsTaskbar());
    if (form_->WindowState() == forms::WindowState::Minimized) {
        RequestIconified(*this);
        awaitingIconified_ = true;
    }
}

// Maximised by the program (a start in the state the user left), the window comes back to its
// own place and size when restored, not to the screen's: the window manager knows no other size
// of a window it was given maximised. One the user maximised, the window manager restores itself.
void FormWindow::KeepNormalGeometry() {
    const forms::WindowState state = form_->WindowState();
    if (state == forms::WindowState::Maximized && lastState_ == forms::WindowState::Normal &&
        !takingUserState_) {
        normalGeometry_ = {form_->Left(), form_->Top(), form_->Width(), form_->Height()};
    } else if (state == forms::WindowState::Normal && normalGeometry_) {
        const std::array<double, 4> normal = *std::exchange(normalGeometry_, std::nullopt);
        RunGuarded([&] { form_->Move(normal[0], normal[1], normal[2], normal[3]); });
    }
    lastState_ = state;
}

void FormWindow::ApplyWindowState() {
    awaitingIconified_ = false;
    if (FromQtState(windowState()) != form_->WindowState()) {
        setWindowState(ToQtState(form_->WindowState()));
    }
}

void FormWindow::SetModal(bool modal) {
    const Qt::WindowModality modality = modal ? Qt::ApplicationModal : Qt::NonModal;
    if (windowModality() == modality) {
        return;
    }
    const bool shown = isVisible();
    if (shown) {
        hide();  // Qt takes a new modality at the next showing
    }
    setWindowModality(modality);
    if (shown) {
        show();
    }
}

// The border and title the desktop gave the window, and the menu bar, as the form's insets.
void FormWindow::ReportInsets() {
    if (form_ == nullptr || !isVisible() || windowHandle() == nullptr) {
        return;
    }
    const QMargins frame = windowHandle()->frameMargins();
    const forms::FrameInsets insets{frame.left(), frame.top() + menus_.BarHeight(), frame.right(),
                                    frame.bottom()};
    RunGuarded([&] { form_->SetFrameInsets(insets); });
}

// --- Following the user.

void FormWindow::closeEvent(QCloseEvent* event) {
    event->ignore();  // the form decides whether it closes
    if (form_ != nullptr) {
        RunGuarded([this] { form_->Close(); });
    }
}

void FormWindow::TakeUserPosition() {
    if (form_ == nullptr || form_->WindowState() != forms::WindowState::Normal) {
        return;
    }
    const QPoint place = pos();
    if (place.x() != TwipsToPixels(form_->Left()) || place.y() != TwipsToPixels(form_->Top())) {
        RunGuarded([&] { form_->Move(PixelsToTwips(place.x()), PixelsToTwips(place.y())); });
    }
}

// A size the window has that the form does not (the user's, or the desktop's) becomes the form's.
void FormWindow::TakeUserSize() {
    if (form_ == nullptr || form_->WindowState() == forms::WindowState::Minimized) {
        return;
    }
    const forms::FrameInsets insets = form_->Insets();
    const int menuBar = menus_.BarHeight();
    const int outerWidth = width() + insets.left + insets.right;
    const int outerHeight = height() + insets.top + insets.bottom - menuBar;
    if (outerWidth != TwipsToPixels(form_->Width()) ||
        outerHeight != TwipsToPixels(form_->Height())) {
        RunGuarded([&] {
            form_->Move(form_->Left(), form_->Top(), PixelsToTwips(outerWidth),
                        PixelsToTwips(outerHeight));
        });
    }
}

// Only a window on the screen is moved or sized by its user: while it is being mapped and framed
// the window system reports places and sizes on the way.
bool FormWindow::TakesWindowSystemGeometry() const {
    return isVisible() && !applyingGeometry_ && windowHandle() != nullptr &&
           windowHandle()->isExposed();
}

void FormWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    ReportInsets();
    if (TakesWindowSystemGeometry() && !AnswersRequest(requestedSizes_, size())) {
        TakeUserSize();
    }
}

void FormWindow::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    if (TakesWindowSystemGeometry() && !AnswersRequest(requestedPlaces_, pos())) {
        TakeUserPosition();
    }
}

// Sent before Qt maps the window: the taskbar state goes with the mapping.
void FormWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (form_ != nullptr) {
        WriteSkipTaskbar(*this, SkipsTaskbar());
    }
    ReportInsets();
}

void FormWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || form_ == nullptr || !isVisible()) {
        return;
    }
    const forms::WindowState state = FromQtState(windowState());
    // A state on the way, reported before the window manager has settled it: not the user's.
    if (!SettledOnWindowSystem(*this, state == forms::WindowState::Minimized)) {
        return;
    }
    // Shown minimised, the window may be taken on in its normal state for a moment before it is
    // iconified as asked: nobody can have restored it before then.
    if (awaitingIconified_) {
        if (state != forms::WindowState::Minimized) {
            return;
        }
        awaitingIconified_ = false;
    }
    if (state != form_->WindowState()) {
        takingUserState_ = true;
        RunGuarded([&] { form_->SetWindowState(state); });
        takingUserState_ = false;
    }
}

// Keys no control took, as on the desktop's dialogs: Enter presses the focused button, else the
// window's default button; Escape presses the cancel button, and closes a dialog that has none
// (the close box's way, so the window decides).
void FormWindow::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (form_ != nullptr && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
        if (auto* focused = qobject_cast<QAbstractButton*>(focusWidget());
            focused != nullptr && focused->isEnabled() && !focused->isCheckable()) {
            focused->click();
        } else {
            PressButton(true);
        }
    } else if (form_ != nullptr && key == Qt::Key_Escape) {
        if (!PressButton(false) && form_->FixedBorder() && !form_->Borderless()) {
            RunGuarded([this] { form_->Close(); });
        }
    } else {
        QMainWindow::keyPressEvent(event);
    }
}

bool FormWindow::PressButton(bool defaultButton) {
    for (forms::Control* control : form_->Controls()) {
        if (control->Kind() != forms::ControlKind::CommandButton) {
            continue;
        }
        auto* button = static_cast<forms::CommandButton*>(control);
        if ((defaultButton ? button->Default() : button->Cancel()) && button->Visible()) {
            RunGuarded([button] { button->Click(); });
            return true;
        }
    }
    return false;
}

// The window's own area: mouse movement goes to the form; painting asks the form to paint.
bool FormWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched != client_ || form_ == nullptr) {
        return QMainWindow::eventFilter(watched, event);
    }
    if (event->type() == QEvent::MouseMove) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const MouseInput input =
            ToMouseInput(*mouse, mouse->position().toPoint(), form_->TwipsPerUnit());
        RunGuarded([&] { form_->MouseMove(input.button, input.shift, input.x, input.y); });
    } else if (event->type() == QEvent::Paint) {
        QueuePaint();
    }
    return QMainWindow::eventFilter(watched, event);
}

// The form's Paint may move and resize controls, which must not happen while Qt paints.
void FormWindow::QueuePaint() {
    if (paintQueued_) {
        return;
    }
    paintQueued_ = true;
    QTimer::singleShot(0, this, [this] {
        paintQueued_ = false;
        if (form_ != nullptr) {
            RunGuarded([this] { form_->Paint(); });
        }
    });
}

// --- Controls.

QWidget* FormWindow::AreaOf(const forms::Control* container) const {
    if (container != nullptr) {
        if (ControlView* view = ViewOf(*container); view != nullptr && view->childArea()) {
            return view->childArea();
        }
    }
    return client_;
}

void FormWindow::AddView(forms::Control& control) {
    std::unique_ptr<ControlView> view = MakeControlView(control, client_);
    if (view == nullptr) {
        return;  // timers, menus and dialogs have no widget
    }
    ControlView& added = *view;
    views_.emplace(&control, std::move(view));
    added.ApplyAll();
}

// A control leaving at run time: its view goes when no handler runs any more.
void FormWindow::RemoveView(forms::Control& control) {
    auto found = views_.find(&control);
    if (found == views_.end()) {
        return;
    }
    ControlView* view = found->second.release();
    views_.erase(found);
    view->Kill();
    view->widget()->hide();
    DeleteWhenOutermost(view);
}

void FormWindow::PlaceView(ControlView& view) {
    QWidget* area = AreaOf(view.control().Container());
    QWidget* widget = view.widget();
    if (widget->parentWidget() != area) {
        widget->setParent(area);
    }
    view.ApplyGeometry();
    widget->setVisible(view.control().Visible());
}

// Stacking in an area follows the design order, later controls on top, except that containers lie
// beneath the other controls.
void FormWindow::Restack(QWidget* area) {
    if (form_ == nullptr || area == nullptr) {
        return;
    }
    std::vector<QWidget*> containers;
    for (forms::Control* control : form_->Controls()) {
        ControlView* view = ViewOf(*control);
        if (view == nullptr || view->widget()->parentWidget() != area) {
            continue;
        }
        if (IsContainer(*control)) {
            containers.push_back(view->widget());
        } else {
            view->widget()->raise();
        }
    }
    std::for_each(containers.rbegin(), containers.rend(), [](QWidget* widget) { widget->lower(); });
}

}  // namespace frontend
