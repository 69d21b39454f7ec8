#pragma once

#include <optional>
#include <string>

#include "forms/control.h"

namespace forms {

enum class ScrollBars { None = 0, Horizontal = 1, Vertical = 2, Both = 3 };

// An edit box. Multi-line text holds CR LF line ends, as the program writes them; a front end
// shows them as line breaks and hands the user's lines back with CR LF.
class TextBox final : public Control {
  public:
    TextBox(Form& form, std::string name, std::optional<int> index = std::nullopt);

    const std::string& Text() const { return text_; }
    // A change raises Change, whether the user or code made it.
    void SetText(const std::string& text);
    bool MultiLine() const { return props_.multiLine; }
    void SetMultiLine(bool multiLine);
    // A locked box shows its text but the user cannot change it.
    bool Locked() const { return props_.locked; }
    void SetLocked(bool locked);
    forms::ScrollBars ScrollBars() const { return props_.scrollBars; }
    void SetScrollBars(forms::ScrollBars scrollBars);

    Event<> OnChange;
    // The character code of a key the user typed; the handler may replace it, or set it to 0 to
    // swallow the key.
    Event<int&> OnKeyPress;
    // The user typed a character: raises KeyPress and returns the character the box should take
    // (0 = none). A disabled box takes no keys.
    int KeyPress(int keyAscii);

    void Accept(ControlVisitor& visitor) override { visitor.Visit(*this); }

  protected:
    void CopyPropertiesFrom(const Control& source) override;

  private:
    struct Properties {
        bool multiLine = false;
        bool locked = false;
        forms::ScrollBars scrollBars = forms::ScrollBars::None;
    };
    std::string text_;
    Properties props_;
};

}  // namespace forms
