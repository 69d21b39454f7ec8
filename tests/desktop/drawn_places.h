#pragma once

#include <QPoint>
#include <QSize>
#include <functional>
#include <vector>

#include "desktop/x_display.h"
#include "forms/buttons.h"
#include "forms/form.h"
#include "forms/tab_strip.h"

// Where the program's windows show their controls, learnt before the program starts: its own
// front end draws the window in this process, on the same display, so the places come from the
// same layout, fonts and style as the program's.
namespace desktop {

// Places on a drawn window, from its top-left corner.
class PlaceFinder {
  public:
    virtual ~PlaceFinder() = default;
    virtual QPoint Centre(const forms::Control& control) const = 0;
    // A check box or an option button takes a click on its box or its caption, not beside them.
    virtual QPoint Box(const forms::Control& box) const = 0;
    // The tab of that index (from 1).
    virtual QPoint Tab(const forms::TabStrip& strip, int index) const = 0;
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
