#pragma once

#include <QString>
#include <memory>
#include <string>

#include "forms/control_kind.h"
#include "qt/control_view.h"

namespace forms {
class LabelBase;  // what labels and skin labels share
}

// The view of each kind of control, in the files named after them; control_views.cpp picks the
// one for a control.
namespace frontend {

std::unique_ptr<ControlView> MakeLabelView(forms::LabelBase& label, QWidget* parent);
std::unique_ptr<ControlView> MakeCommandButtonView(forms::CommandButton& button, QWidget* parent);
std::unique_ptr<ControlView> MakeCheckBoxView(forms::CheckBox& box, QWidget* parent);
std::unique_ptr<ControlView> MakeOptionButtonView(forms::OptionButton& button, QWidget* parent);
std::unique_ptr<ControlView> MakeFrameView(forms::Frame& frame, QWidget* parent);
std::unique_ptr<ControlView> MakePictureBoxView(forms::PictureBox& picture, QWidget* parent);
std::unique_ptr<ControlView> MakeImageView(forms::Image& image, QWidget* parent);
std::unique_ptr<ControlView> MakeShapeView(forms::Shape& shape, QWidget* parent);
std::unique_ptr<ControlView> MakeTextBoxView(forms::TextBox& box, QWidget* parent);
std::unique_ptr<ControlView> MakeComboBoxView(forms::ComboBox& box, QWidget* parent);
std::unique_ptr<ControlView> MakeListBoxView(forms::ListBox& box, QWidget* parent);
std::unique_ptr<ControlView> MakeListViewView(forms::ListView& list, QWidget* parent);
std::unique_ptr<ControlView> MakeTabStripView(forms::TabStrip& strip, QWidget* parent);
std::unique_ptr<ControlView> MakeProgressBarView(forms::ProgressBar& bar, QWidget* parent);
std::unique_ptr<ControlView> MakeDatePickerView(forms::DTPicker& picker, QWidget* parent);
std::unique_ptr<ControlView> MakeStatusBarView(forms::StatusBar& bar, QWidget* parent);
std::unique_ptr<ControlView> MakeWebBrowserView(forms::WebBrowser& browser, QWidget* parent);

// A caption as the widgets of buttons, check boxes, option buttons, frames and tabs show it: as
// written, an "&" (even in an entity such as "&amp;") shown as itself rather than taken as an
// access key.
QString AsWritten(const std::string& caption);

// The view of any control that is shown on its window; null for timers, menus (the window's menu
// bar shows those) and common dialogs. Its widget is a child of parent; call ApplyAll() after.
std::unique_ptr<ControlView> MakeControlView(forms::Control& control, QWidget* parent);

}  // namespace frontend
