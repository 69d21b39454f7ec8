#include "desktop/drawn_places.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QStyleOptionButton>
#include <QTabBar>

#include "desktop/program_on_display.h"
#include "qt/control_widget.h"

namespace desktop {

QPoint PlaceFinder::Centre(const forms::Control& control) const {
    const QWidget& widget = frontend_test::WidgetOf(window_, control);
    return widget.mapTo(&window_, widget.rect().center());
}

QPoint PlaceFinder::Box(const forms::Control& control) const {
    auto& box = frontend_test::WidgetOf<QAbstractButton>(window_, control);
    QStyleOptionButton option;
    option.initFrom(&box);
    option.text = box.text();
    const auto element = qobject_cast<QCheckBox*>(&box) ? QStyle::SE_CheckBoxIndicator
                                                        : QStyle::SE_RadioButtonIndicator;
    return box.mapTo(&window_, box.style()->subElementRect(element, &option, &box).center());
}

QPoint PlaceFinder::Tab(const forms::Control& strip, int index) const {
    const QTabBar& tabs = frontend_test::WidgetOf<QTabBar>(window_, strip);
    return tabs.mapTo(&window_, tabs.tabRect(index - 1).center());
}

DrawnPlaces DrawForm(const XDisplay& display, const std::function<forms::Form&()>& show,
                     const std::function<std::vector<QPoint>(const PlaceFinder&)>& find) {
    ProgramOnDisplay program(display);
    forms::Form& form = show();
    form.Show();
    const frontend::FormWindow& window = *program.host().renderer().WindowOf(form);
    QCoreApplication::processEvents();
    return {window.size(), find(PlaceFinder(window))};
}

}  // namespace desktop
