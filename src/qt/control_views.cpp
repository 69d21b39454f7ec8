#include "forms/buttons.h"
#include "forms/containers.h"
#include "forms/date_picker.h"
#include "forms/labels.h"
#include "forms/list_boxes.h"
#include "forms/list_view.h"
#include "forms/progress_bar.h"
#include "forms/status_bar.h"
#include "forms/tab_strip.h"
#include "forms/text_box.h"
#include "forms/web_browser.h"
#include "qt/views.h"

namespace frontend {
namespace {

class ViewMaker final : public forms::ControlVisitor {
  public:
    explicit ViewMaker(QWidget* parent) : parent_(parent) {}
    std::unique_ptr<ControlView> made;

    void Visit(forms::Label& c) override { made = MakeLabelView(c, parent_); }
    void Visit(forms::SkinLabel& c) override { made = MakeLabelView(c, parent_); }
    void Visit(forms::CommandButton& c) override { made = MakeCommandButtonView(c, parent_); }
    void Visit(forms::CheckBox& c) override { made = MakeCheckBoxView(c, parent_); }
    void Visit(forms::OptionButton& c) override { made = MakeOptionButtonView(c, parent_); }
    void Visit(forms::Frame& c) override { made = MakeFrameView(c, parent_); }
    void Visit(forms::PictureBox& c) override { made = MakePictureBoxView(c, parent_); }
    void Visit(forms::Image& c) override { made = MakeImageView(c, parent_); }
    void Visit(forms::Shape& c) override { made = MakeShapeView(c, parent_); }
    void Visit(forms::TextBox& c) override { made = MakeTextBoxView(c, parent_); }
    void Visit(forms::ComboBox& c) override { made = MakeComboBoxView(c, parent_); }
    void Visit(forms::ListBox& c) override { made = MakeListBoxView(c, parent_); }
    void Visit(forms::ListView& c) override { made = MakeListViewView(c, parent_); }
    void Visit(forms::TabStrip& c) override { made = MakeTabStripView(c, parent_); }
    void Visit(forms::ProgressBar& c) override { made = MakeProgressBarView(c, parent_); }
    void Visit(forms::DTPicker& c) override { made = MakeDatePickerView(c, parent_); }
    void Visit(forms::StatusBar& c) override { made = MakeStatusBarView(c, parent_); }
    void Visit(forms::WebBrowser& c) override { made = MakeWebBrowserView(c, parent_); }

  private:
    QWidget* parent_;
};

}  // namespace

std::unique_ptr<ControlView> MakeControlView(forms::Control& control, QWidget* parent) {
    ViewMaker maker(parent);
    control.Accept(maker);
    return std::move(maker.made);
}

QString AsWritten(const std::string& caption) {
    return QString::fromStdString(caption).replace(QChar('&'), QStringLiteral("&&"));
}

}  // namespace frontend
