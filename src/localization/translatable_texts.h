#pragma once

#include <functional>
#include <string>
#include <vector>

namespace forms {
class Control;
class Form;
}  // namespace forms

// One text of a window that the language file can replace, under the key that names it there.
struct TranslatableText {
    // "FrmMain_cmdScan", "FrmMain_TabStrip1_TABS2", "FrmMain_lvwSpywareFound_COL1",
    // "FrmMain_optMemorySheildOn0", "FrmMain_mnuFileItem2", as the window and control are named.
    std::string key;
    std::string text;
    std::function<void(const std::string&)> replace;
};

// The translatable texts of one control of the window, in order (a tab strip gives one per tab,
// a list view one per column header). Labels, skin labels, buttons, frames and check boxes give
// their caption under one key, shared by all elements of a control array; option buttons and
// menus add their index, or 0 outside an array. Other kinds of control give none.
std::vector<TranslatableText> TranslatableTexts(const forms::Form& window, forms::Control& control);
