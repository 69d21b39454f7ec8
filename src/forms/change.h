#pragma once

namespace forms {

class Form;
class Control;

// What changed. Each value names a property (or a collection) of a form or a control; a front end
// re-reads that property from the object when told.
enum class Property {
    // Every control, and the form where it has the property.
    Caption,
    Visible,
    Enabled,
    Left,
    Top,
    Width,
    Height,
    Font,
    BackColor,
    ForeColor,
    ToolTipText,
    Tag,
    Container,
    TabStop,
    // The form.
    WindowState,
    Icon,
    ScaleMode,
    FixedBorder,
    TopMost,
    ShowInTaskbar,
    Borderless,
    TakesFocus,
    ZOrder,       // asked to come to the front
    FrameInsets,  // border and title sizes, as the front end measured them
    MinimumSize,
    ControlAdded,
    ControlRemoved,
    // Labels.
    Alignment,
    AutoSize,
    WordWrap,
    // Buttons, check boxes, option buttons, progress bars, date pickers.
    Value,
    Picture,
    ButtonStyle,
    Default,
    Cancel,
    // Shapes and images.
    ShapeType,
    FillColor,
    FillStyle,
    BorderColor,
    Stretch,
    // Text boxes and combo boxes.
    Text,
    MultiLine,
    Locked,
    ScrollBars,
    // Combo and list boxes (ListEntries: the entries changed, re-read them all; ListEntryAdded and
    // ListEntryRemoved: one entry at the position in `item`).
    ComboStyle,
    ListEntries,
    ListEntryAdded,
    ListEntryRemoved,
    ListIndex,
    // List views (item = the 1-based row or column, 0 for all of them).
    ColumnHeaders,
    ListItemAdded,
    ListItemRemoved,
    ListItemsCleared,
    ListItemChanged,  // text, a sub-item, the small icon or the tick of one row
    Checkboxes,
    HideColumnHeaders,
    SmallIconImages,
    // Tab strips (item = the 1-based tab, 0 for all of them).
    Tabs,
    SelectedTab,
    // Progress bars.
    Min,
    Max,
    // Timers.
    Interval,
    // Menus.
    Checked,
    // Date pickers.
    DateFormat,
    CustomFormat,
    // Status bars (item = the 1-based panel).
    Panels,
    // Web browsers: a navigation command for the front end to carry out (see LastCommand()), and
    // the navigation state it reported back.
    BrowserCommand,
    Location,
};

// One change. control is null when the form itself changed.
struct Change {
    Form* form = nullptr;
    Control* control = nullptr;
    Property property = Property::Caption;
    int item = 0;
};

}  // namespace forms
