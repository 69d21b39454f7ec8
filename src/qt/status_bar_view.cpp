#include <QHBoxLayout>
#include <QLabel>

#include "forms/status_bar.h"
#include "qt/units.h"
#include "qt/views.h"

// Status bars: one sunken panel per model panel, each as wide as the model says (twips).
namespace frontend {
namespace {

class StatusBarView final : public ControlView {
  public:
    StatusBarView(forms::StatusBar& bar, QWidget* parent)
        : ControlView(bar, new QWidget(parent)), bar_(bar) {
        auto* layout = new QHBoxLayout(widget());
        layout->setContentsMargins(1, 1, 1, 1);
        layout->setSpacing(2);
        layout->addStretch();
    }

  protected:
    void ApplyOwn(forms::Property property, int item) override {
        if (property != forms::Property::Panels) {
            return;
        }
        if (item >= 1 && item <= static_cast<int>(panels_.size())) {
            ShowPanel(item);
        } else {
            ApplyAllOwn();
        }
    }

    void ApplyAllOwn() override {
        auto* layout = static_cast<QHBoxLayout*>(widget()->layout());
        while (static_cast<int>(panels_.size()) < bar_.Panels.Count()) {
            auto* panel = new QLabel;
            panel->setFrameShape(QFrame::Panel);
            panel->setFrameShadow(QFrame::Sunken);
            panel->setTextFormat(Qt::PlainText);
            layout->insertWidget(static_cast<int>(panels_.size()), panel);
            panels_.push_back(panel);
        }
        for (int panel = 1; panel <= bar_.Panels.Count(); ++panel) {
            ShowPanel(panel);
        }
    }

  private:
    void ShowPanel(int index) {
        const forms::Panel& panel = bar_.Panels(index);
        QLabel* shown = panels_[static_cast<std::size_t>(index) - 1];
        shown->setText(QString::fromStdString(panel.Text()));
        shown->setFixedWidth(TwipsToPixels(panel.Width()));
    }

    forms::StatusBar& bar_;
    std::vector<QLabel*> panels_;
};

}  // namespace

std::unique_ptr<ControlView> MakeStatusBarView(forms::StatusBar& bar, QWidget* parent) {
    return std::make_unique<StatusBarView>(bar, parent);
}

}  // namespace frontend
