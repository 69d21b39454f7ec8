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

QPoint PlaceFinder::Centre(const forms::Control& control) const {
    QWidget& widget = *window_.ViewOf(control)->widget();
    return widget.mapTo(&window_, widget.rect().center());
}

QPoint PlaceFinder::Box(const forms::Control& control) const {
    auto& box = static_cast<QAbstractButton&>(*window_.ViewOf(control)->widget());
    QStyleOptionButton option;
    option.initFrom(&box);
    option.text = box.text();
    const auto element = qobject_cast<QCheckBox*>(&box) ? QStyle::SE_CheckBoxIndicator
                                                        : QStyle::SE_RadioButtonIndicator;
    return box.mapTo(&window_, box.style()->subElementRect(element, &option, &box).center());
}

QPoint PlaceFinder::Tab(const forms::Control& strip, int index) const {
    const QTabBar& tabs = *window_.ViewOf(strip)->widget()->findChild<QTabBar*>();
    return tabs.mapTo(&window_, tabs.tabRect(index - 1).center());
}

DrawnPlaces DrawForm(const XDisplay& display, const std::function<forms::Form&()>& show,
                     const std::function<std::vector<QPoint>(const PlaceFinder&)>& find) {
    test_support::ScopedEnvironmentVariable platform("QT_QPA_PLATFORM", "xcb");
    test_support::ScopedEnvironmentVariable screen("DISPLAY", display.name());
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
    DrawnPlaces drawn{window.size(), find(PlaceFinder(window))};
    forms::DestroyAllForms();
    frontend::DestroyWaitingObjects();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return drawn;
}

}  // namespace desktop
