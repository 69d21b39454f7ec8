// Generic checks of every window's design layout: nothing overlaps, nothing sticks out of its
// container, every caption has room for its text.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "forms/control.h"
#include "forms/form.h"
#include "forms/labels.h"
#include "support/forms_fixture.h"
#include "support/windows_catalog.h"

namespace {

struct Box {
    double left;
    double top;
    double right;
    double bottom;
};

Box BoxOf(const forms::Control& control) {
    return {control.Left(), control.Top(), control.Left() + control.Width(),
            control.Top() + control.Height()};
}

bool Overlaps(const Box& a, const Box& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool Inside(const Box& inner, const Box& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// Timers, menus and dialogs take no room on the window.
bool TakesRoom(const forms::Control& control) {
    switch (control.Kind()) {
        case forms::ControlKind::Timer:
        case forms::ControlKind::Menu:
        case forms::ControlKind::CommonDialog:
            return false;
        default:
            return control.Width() > 0 && control.Height() > 0;
    }
}

std::string Describe(const forms::Control& control) {
    std::string text = control.Parent().Name() + "." + control.Name();
    if (control.Index()) {
        text += "(" + std::to_string(*control.Index()) + ")";
    }
    return text;
}

// Pixels in the window's own unit.
double Units(const forms::Form& window, double pixels) {
    return pixels * forms::kTwipsPerPixel / window.TwipsPerUnit();
}

bool HasMenuBar(const forms::Form& window) {
    return std::ranges::any_of(window.Controls(), [](const forms::Control* control) {
        return control->Kind() == forms::ControlKind::Menu && control->Container() == nullptr &&
               control->Visible();
    });
}

// Where a control may lie: below a frame's caption, or inside the window's inner area less the
// menu bar (about 20 pixels).
Box RoomIn(const forms::Form& window, const forms::Control* container) {
    if (container == nullptr) {
        const double menuBar = HasMenuBar(window) ? Units(window, 20) : 0;
        return {0, 0, window.ScaleWidth(), window.ScaleHeight() - menuBar};
    }
    const auto* frame = dynamic_cast<const forms::CaptionedControl*>(container);
    const double captionStrip = frame && !frame->Caption().empty() ? Units(window, 12) : 0;
    return {0, captionStrip, container->Width(), container->Height()};
}

// Text metrics of an 8-point sans-serif desktop font, a little generous so that a caption that
// passes here is not cut off on screen.
double FontPixels(const forms::FontStyle& font) {
    return font.size * 96.0 / 72.0;
}
double CharacterPixels(const forms::FontStyle& font) {
    const double width = FontPixels(font) * (font.name == "Verdana" ? 0.62 : 0.52);
    return font.bold ? width * 1.1 : width;
}
double LinePixels(const forms::FontStyle& font) {
    return std::ceil(FontPixels(font) * 1.18);
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines(1);
    for (char c : text) {
        if (c == '\n') {
            lines.emplace_back();
        } else if (c != '\r') {
            lines.back() += c;
        }
    }
    return lines;
}

double TextPixels(const std::string& line, const forms::FontStyle& font) {
    const auto characters = std::ranges::count_if(
        line, [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; });
    return static_cast<double>(characters) * CharacterPixels(font);
}

// The room a caption needs beside its text: a check box's box, a button's edges.
double ChromePixels(forms::ControlKind kind) {
    switch (kind) {
        case forms::ControlKind::CheckBox:
        case forms::ControlKind::OptionButton:
            return 20;
        case forms::ControlKind::CommandButton:
            return 12;
        case forms::ControlKind::Frame:
            return 16;
        default:
            return 0;
    }
}

bool WordWraps(const forms::Control& control) {
    const auto* label = dynamic_cast<const forms::LabelBase*>(&control);
    return label != nullptr && label->WordWrap();
}

// What is wrong with how the control shows its caption, or "" when it fits.
std::string CaptionProblem(const forms::Form& window, forms::Control& control) {
    const forms::CaptionedControl* captioned = forms::AsCaptioned(control);
    if (captioned == nullptr || captioned->Caption().empty() ||
        control.Kind() == forms::ControlKind::Menu) {
        return "";
    }
    const forms::FontStyle& font = control.Font();
    const double widthPixels = control.Width() * window.TwipsPerUnit() / forms::kTwipsPerPixel -
                               ChromePixels(control.Kind());
    const double heightPixels = control.Height() * window.TwipsPerUnit() / forms::kTwipsPerPixel;
    int lineCount = 0;
    for (const std::string& line : Lines(captioned->Caption())) {
        const double needed = TextPixels(line, font);
        if (WordWraps(control)) {
            lineCount += std::max(1, static_cast<int>(std::ceil(needed * 1.1 / widthPixels)));
        } else if (needed > widthPixels) {
            return "\"" + line + "\" needs " + std::to_string(needed) + " pixels, has " +
                   std::to_string(widthPixels);
        } else {
            ++lineCount;
        }
    }
    if (control.Kind() == forms::ControlKind::Frame) {
        return "";
    }
    const double extra = control.Kind() == forms::ControlKind::CommandButton ? 6 : 0;
    const double neededHeight = lineCount * LinePixels(font) + extra;
    if (heightPixels < neededHeight) {
        return std::to_string(lineCount) + " lines need " + std::to_string(neededHeight) +
               " pixels of height, have " + std::to_string(heightPixels);
    }
    return "";
}

class WindowLayout : public FormsTest {
  protected:
    std::vector<std::unique_ptr<forms::Form>> windows = DesignedWindows();
};

TEST_F(WindowLayout, NoTwoVisibleControlsOfOneContainerOverlap) {
    for (const auto& window : windows) {
        const std::vector<forms::Control*>& controls = window->Controls();
        for (std::size_t i = 0; i < controls.size(); ++i) {
            for (std::size_t j = i + 1; j < controls.size(); ++j) {
                const forms::Control& a = *controls[i];
                const forms::Control& b = *controls[j];
                if (a.Container() != b.Container() || !a.Visible() || !b.Visible() ||
                    !TakesRoom(a) || !TakesRoom(b)) {
                    continue;
                }
                // Pages lie over their tab strip.
                const bool pageOnTabs =
                    (a.Kind() == forms::ControlKind::TabStrip && Inside(BoxOf(b), BoxOf(a))) ||
                    (b.Kind() == forms::ControlKind::TabStrip && Inside(BoxOf(a), BoxOf(b)));
                EXPECT_TRUE(pageOnTabs || !Overlaps(BoxOf(a), BoxOf(b)))
                    << Describe(a) << " overlaps " << Describe(b);
            }
        }
    }
}

TEST_F(WindowLayout, EveryControlLiesInsideItsContainer) {
    for (const auto& window : windows) {
        for (const forms::Control* control : window->Controls()) {
            if (!TakesRoom(*control)) {
                continue;
            }
            if (window->Name() == "FrmMain" && control->Name() == "Frame") {
                EXPECT_GE(control->Top(), window->Height()) << "kept out of view";
                continue;
            }
            EXPECT_TRUE(Inside(BoxOf(*control), RoomIn(*window, control->Container())))
                << Describe(*control) << " sticks out of "
                << (control->Container() ? Describe(*control->Container()) : window->Name());
        }
    }
}

TEST_F(WindowLayout, EveryCaptionHasRoomForItsText) {
    for (const auto& window : windows) {
        for (forms::Control* control : window->Controls()) {
            if (!control->Visible()) {
                continue;
            }
            const std::string problem = CaptionProblem(*window, *control);
            EXPECT_EQ(problem, "") << Describe(*control);
        }
    }
}

TEST_F(WindowLayout, MainWindowHasItsDesignSizeAndStacksItsPanels) {
    const auto& main = *windows.front();
    ASSERT_EQ(main.Name(), "FrmMain");
    EXPECT_DOUBLE_EQ(main.Width(), 11000);
    EXPECT_DOUBLE_EQ(main.Height(), 8000);

    const forms::Control& status = *main.FindControl("frmStatus");
    for (const char* panel : {"frmScan", "frmResults", "frmOptions"}) {
        const forms::Control& other = *main.FindControl(panel);
        EXPECT_DOUBLE_EQ(other.Left(), status.Left()) << panel;
        EXPECT_DOUBLE_EQ(other.Top(), status.Top()) << panel;
        EXPECT_DOUBLE_EQ(other.Width(), status.Width()) << panel;
        EXPECT_DOUBLE_EQ(other.Height(), status.Height()) << panel;
        EXPECT_FALSE(other.Visible()) << "the status panel is the one shown first";
    }
    // The panels sit right of the side column and below the top row.
    const forms::Control& scanButton = *main.FindControl("cmdScan");
    const forms::Control& trayButton = *main.FindControl("Command5");
    EXPECT_GT(status.Left(), scanButton.Left() + scanButton.Width());
    EXPECT_GT(status.Top(), trayButton.Top() + trayButton.Height());
}

}  // namespace
