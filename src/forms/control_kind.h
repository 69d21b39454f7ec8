#pragma once

#include <string_view>

namespace forms {

// Every kind of control, each with the type name that the translation and the skinning code test.
enum class ControlKind {
    Label,
    SkinLabel,
    CommandButton,
    CheckBox,
    OptionButton,
    Frame,
    PictureBox,
    Image,
    Shape,
    TextBox,
    ComboBox,
    ListBox,
    ListView,
    TabStrip,
    ProgressBar,
    Timer,
    Menu,
    DTPicker,
    CommonDialog,
    StatusBar,
    WebBrowser,
};

// "Label", "SkinLabel", "CommandButton", ... exactly as spelled above.
std::string_view TypeName(ControlKind kind);

class Label;
class SkinLabel;
class CommandButton;
class CheckBox;
class OptionButton;
class Frame;
class PictureBox;
class Image;
class Shape;
class TextBox;
class ComboBox;
class ListBox;
class ListView;
class TabStrip;
class ProgressBar;
class Timer;
class Menu;
class DTPicker;
class CommonDialog;
class StatusBar;
class WebBrowser;

// Double dispatch over the control kinds, for front ends that build one widget per control.
// Every Visit does nothing unless overridden.
class ControlVisitor {
  public:
    virtual ~ControlVisitor() = default;
    virtual void Visit(Label&) {}
    virtual void Visit(SkinLabel&) {}
    virtual void Visit(CommandButton&) {}
    virtual void Visit(CheckBox&) {}
    virtual void Visit(OptionButton&) {}
    virtual void Visit(Frame&) {}
    virtual void Visit(PictureBox&) {}
    virtual void Visit(Image&) {}
    virtual void Visit(Shape&) {}
    virtual void Visit(TextBox&) {}
    virtual void Visit(ComboBox&) {}
    virtual void Visit(ListBox&) {}
    virtual void Visit(ListView&) {}
    virtual void Visit(TabStrip&) {}
    virtual void Visit(ProgressBar&) {}
    virtual void Visit(Timer&) {}
    virtual void Visit(Menu&) {}
    virtual void Visit(DTPicker&) {}
    virtual void Visit(CommonDialog&) {}
    virtual void Visit(StatusBar&) {}
    virtual void Visit(WebBrowser&) {}
};

}  // namespace forms
