#include <QSignalBlocker>
#include <QTabBar>
#include <algorithm>

#include "forms/tab_strip.h"
#include "qt/views.h"

// Tab strips: the tabs alone; the program shows the page of the selected tab itself.
namespace frontend {
namespace {

// The strip covers the whole page area, as the pages sit on it; the tabs keep their own height at
// its top, since a tab bar stretched over the area would draw its selected tab down over the page.
// The strip draws nothing but its tabs, and takes the pointer nowhere else: below them the pages
// and what lies on them are the user's to click (the mask).
class TabStripArea final : public QWidget {
  public:
    explicit TabStripArea(QWidget* parent) : QWidget(parent), bar_(new QTabBar(this)) {}
    QTabBar& bar() const { return *bar_; }

    // Called again whenever the tabs change, as their captions decide the bar's height.
    void PlaceBar() {
        bar_->setGeometry(0, 0, width(), std::min(height(), bar_->sizeHint().height()));
        setMask(bar_->geometry());
    }

  protected:
    void resizeEvent(QResizeEvent*) override { PlaceBar(); }

  private:
    QTabBar* bar_;
};

class TabStripView final : public ControlView {
  public:
    TabStripView(forms::TabStrip& strip, QWidget* parent)
        : ControlView(strip, new TabStripArea(parent)), strip_(strip) {
        shown().setExpanding(false);
        shown().setDrawBase(true);
        // A click on any tab, the selected one too, selects it (raising Click); keys that move
        // the selection do the same.
        QObject::connect(&shown(), &QTabBar::tabBarClicked, this,
                         [this](int index) { Select(index); });
        QObject::connect(&shown(), &QTabBar::currentChanged, this, [this](int index) {
            if (index + 1 != strip_.SelectedIndex()) {
                Select(index);
            }
        });
    }

  protected:
    void ApplyOwn(forms::Property property, int) override {
        if (property == forms::Property::Tabs) {
            ApplyAllOwn();
        } else if (property == forms::Property::SelectedTab) {
            ShowSelection();
        }
    }

    void ApplyAllOwn() override {
        const QSignalBlocker quiet(shown());
        while (shown().count() > strip_.Tabs.Count()) {
            shown().removeTab(shown().count() - 1);
        }
        for (int tab = 1; tab <= strip_.Tabs.Count(); ++tab) {
            const QString caption = AsWritten(strip_.Tabs(tab).Caption());
            if (tab > shown().count()) {
                shown().addTab(caption);
            } else {
                shown().setTabText(tab - 1, caption);
            }
        }
        ShowSelection();
        static_cast<TabStripArea*>(widget())->PlaceBar();
    }

  private:
    QTabBar& shown() const { return static_cast<TabStripArea*>(widget())->bar(); }

    void Select(int index) {
        if (index < 0) {
            return;
        }
        if (FromUser([&] { strip_.Select(index + 1); })) {
            ShowSelection();
        }
    }

    void ShowSelection() {
        const QSignalBlocker quiet(shown());
        shown().setCurrentIndex(strip_.SelectedIndex() - 1);
    }

    forms::TabStrip& strip_;
};

}  // namespace

std::unique_ptr<ControlView> MakeTabStripView(forms::TabStrip& strip, QWidget* parent) {
    return std::make_unique<TabStripView>(strip, parent);
}

}  // namespace frontend
