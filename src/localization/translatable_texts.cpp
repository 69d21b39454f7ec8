#include "localization/translatable_texts.h"

#include "forms/form.h"
#include "forms/list_view.h"
#include "forms/tab_strip.h"

namespace {

std::vector<TranslatableText> CaptionUnder(std::string key, forms::CaptionedControl& control) {
    return {{std::move(key), control.Caption(),
             [&control](const std::string& text) { control.SetCaption(text); }}};
}

std::vector<TranslatableText> TabCaptions(const std::string& key, forms::TabStrip& tabs) {
    std::vector<TranslatableText> texts;
    for (int n = 1; n <= tabs.Tabs.Count(); ++n) {
        forms::Tab& tab = tabs.Tabs(n);
        texts.push_back({key + "_TABS" + std::to_string(n), tab.Caption(),
                         [&tab](const std::string& text) { tab.SetCaption(text); }});
    }
    return texts;
}

std::vector<TranslatableText> ColumnHeaderTexts(const std::string& key, forms::ListView& list) {
    std::vector<TranslatableText> texts;
    for (int n = 1; n <= list.ColumnHeaders.Count(); ++n) {
        forms::ColumnHeader& header = list.ColumnHeaders(n);
        texts.push_back({key + "_COL" + std::to_string(n), header.Text(),
                         [&header](const std::string& text) { header.SetText(text); }});
    }
    return texts;
}

}  // namespace

std::vector<TranslatableText> TranslatableTexts(const forms::Form& window,
                                                forms::Control& control) {
    const std::string key = window.Name() + "_" + control.Name();
    switch (control.Kind()) {
        case forms::ControlKind::Label:
        case forms::ControlKind::SkinLabel:
        case forms::ControlKind::CommandButton:
        case forms::ControlKind::Frame:
        case forms::ControlKind::CheckBox:
            return CaptionUnder(key, *forms::AsCaptioned(control));
        case forms::ControlKind::OptionButton:
        case forms::ControlKind::Menu:
            return CaptionUnder(key + std::to_string(control.Index().value_or(0)),
                                *forms::AsCaptioned(control));
        case forms::ControlKind::TabStrip:
            return TabCaptions(key, static_cast<forms::TabStrip&>(control));
        case forms::ControlKind::ListView:
            return ColumnHeaderTexts(key, static_cast<forms::ListView&>(control));
        default:
            return {};
    }
}
