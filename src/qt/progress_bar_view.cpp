#include <QProgressBar>
#include <cmath>

#include "forms/progress_bar.h"
#include "qt/views.h"

namespace frontend {
namespace {

class ProgressBarView final : public ControlView {
  public:
    ProgressBarView(forms::ProgressBar& bar, QWidget* parent)
        : ControlView(bar, new QProgressBar(parent)), bar_(bar) {
        shown().setTextVisible(false);
    }

  protected:
    void ApplyOwn(forms::Property property, int) override {
        using forms::Property;
        if (property == Property::Min || property == Property::Max || property == Property::Value) {
            ApplyAllOwn();
        }
    }

    void ApplyAllOwn() override {
        shown().setRange(Whole(bar_.Min()), Whole(bar_.Max()));
        shown().setValue(Whole(bar_.Value()));
    }

  private:
    static int Whole(double value) { return static_cast<int>(std::lround(value)); }
    QProgressBar& shown() const { return *static_cast<QProgressBar*>(widget()); }
    forms::ProgressBar& bar_;
};

}  // namespace

std::unique_ptr<ControlView> MakeProgressBarView(forms::ProgressBar& bar, QWidget* parent) {
    return std::make_unique<ProgressBarView>(bar, parent);
}

}  // namespace frontend
