#include "desktop/drawn_places.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QStyleOptionButton>
#include <QTabBar>

#include "forms/form_registry.h"
#include "qt/application_setup.h"
#include "qt/outermost_loop.h"
#include "qt/qt_host.h"
#include "support/scoped_environment.h"

namespace desktop {
namespace {

using test_support::ScopedEnvironmentVariable;

class DrawnWindowPlaces : public PlaceFinder {
  public:
    explicit DrawnWindowPlaces(const frontend::FormWindow& window) : window_(window) {}

    QPoint Centre(const forms::Control& control) const override {
        QWidget& widget = WidgetOf(control);
        return widget.mapTo(&window_, widget.rect().center());
    }

    QPoint Box(const forms::Control& control) const override {
        auto& box = static_cast<QAbstractButton&>(WidgetOf(control));
        QStyleOptionButton option;
        option.initFrom(&box);
        option.text = box.text();
        const auto element = qobject_cast<QCheckBox*>(&box) ? QStyle::SE_CheckBoxIndicator
                                                            : QStyle::SE_RadioButtonIndicator;
        return box.mapTo(&window_, box.style()->subElementRect(element, &option, &box).center());
    }

    QPoint Tab(const forms::TabStrip& strip, int index) const override {
        const QTabBar& tabs = *WidgetOf(strip).findChild<QTabBar*>();
        return tabs.mapTo(&window_, tabs.tabRect(index - 1).center());
    }

  private:
    QWidget& WidgetOf(const forms::Control& control) const {
        return *window_.ViewOf(control)->widget();
    }

    const frontend::FormWindow& window_;
};

}  // namespace

DrawnPlaces DrawForm(const XDisplay& display, const std::function<forms::Form&()>& show,
                     const std::function<std::vector<QPoint>(const PlaceFinder&)>& find) {
    ScopedEnvironmentVariable platform("QT_QPA_PLATFORM", "xcb");
    ScopedEnvironmentVariable screen("DISPLAY", display.name());
    int argc = 1;
    char name[] = "drawn_places";
    char* argv[] = {name, nullptr};
    frontend::PrepareQtApplication();
    QApplication application(argc, argv);
    frontend::ConfigureQtApplication(application);
    frontend::QtHost host;
    forms::ScopedHost installed(host);

    forms::Form& form = show();
    form.Show();
    const frontend::FormWindow& window = *host.renderer().WindowOf(form);
    QCoreApplication::processEvents();
    DrawnPlaces drawn{window.size(), find(DrawnWindowPlaces(window))};
    forms::DestroyAllForms();
    frontend::DestroyWaitingObjects();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return drawn;
}

}  // namespace desktop
