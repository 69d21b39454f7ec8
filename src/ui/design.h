#pragma once

#include <initializer_list>
#include <string>

#include "forms/control.h"
#include "forms/control_array.h"
#include "forms/form.h"
#include "forms/labels.h"
#include "forms/list_view.h"
#include "forms/timer.h"

// Small helpers for the window constructors, which set the design values of their controls.
namespace design {

// A window of fixed size with the program's icon, whose inner area is this large (twips).
void SetUpFixedWindow(forms::Form& window, const std::string& caption, double innerWidth,
                      double innerHeight);

// Puts a control into its container (null: the window itself) at a rectangle in the unit of the
// window's scale mode.
inline void Place(forms::Control& control, forms::Control* container, double left, double top,
                  double width, double height) {
    control.SetContainer(container);
    control.Move(left, top, width, height);
}

// The same for a control with a caption.
inline void Place(forms::CaptionedControl& control, forms::Control* container,
                  const std::string& caption, double left, double top, double width,
                  double height) {
    Place(static_cast<forms::Control&>(control), container, left, top, width, height);
    control.SetCaption(caption);
}

// A heading's font: bold, at this size.
inline void SetHeadingFont(forms::Control& control, double points) {
    control.SetFontSize(points);
    control.SetFontBold(true);
}

struct Column {
    std::string text;
    double width;
};

// A list view in report view with these column headers.
inline void AddColumns(forms::ListView& list, std::initializer_list<Column> columns) {
    for (const Column& column : columns) {
        list.ColumnHeaders.Add(column.text, column.width);
    }
}

inline void SetTimer(forms::Timer& timer, int intervalMs, bool enabled) {
    timer.SetInterval(intervalMs);
    timer.SetEnabled(enabled);
}

// Element 0 of a skin-label array is the pattern that skinned copies of plain labels are loaded
// from; it names the container whose labels it copies and is never shown itself.
inline void PlaceSkinLabelPattern(forms::ControlArray<forms::SkinLabel>& array,
                                  forms::Control* container) {
    forms::SkinLabel& pattern = array(0);
    Place(pattern, container, 0, 0, 0, 0);
    pattern.SetVisible(false);
}

}  // namespace design
