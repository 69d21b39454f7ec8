#pragma once

#include <QPoint>
#include <QSize>
#include <functional>
#include <vector>

#include "desktop/x_display.h"
#include "forms/form.h"
#include "qt/form_window.h"

// Where the program's windows show their controls, learnt before the program starts: its own
// front end draws the window in this process, on the same display, so the places come from the
// same layout, fonts and style as the program's.
namespace desktop {

// Places on a drawn window, from its top-left corner.
class PlaceFinder {
  public:
    explicit PlaceFinder(const frontend::FormWindow& window) : window_(window) {}
    QPoint Centre(const forms::Control& control) const;
    // A check box or an option button takes a click on its box or its caption, not beside them.
    QPoint Box(const forms::Control& box) const;
    // The tab of that index (from 1) of a tab strip.
    QPoint Tab(const forms::Control& strip, int index) const;

  private:
    const frontend::FormWindow& window_;
};

struct DrawnPlaces {
    QSize size;  // the window's, by which the program's window is found
    std::vector<QPoint> places;
};

// Shows the form that `show` loads and sets up (loaded without the program's start-up), draws it,
// and returns its size and the places `find` picks. Every window is unloaded again.
DrawnPlaces DrawForm(const XDisplay& display, const std::function<forms::Form&()>& show,
                     const std::function<std::vector<QPoint>(const PlaceFinder&)>& find);

}  // namespace desktop
