// The front end's own rules: message box buttons, file filters, line ends, the taskbar strip,
// date formats and where pictures are found.
#include <gtest/gtest.h>

#include "qt/date_formats.h"
#include "qt/image_files.h"
#include "qt/line_ends.h"
#include "qt/message_box_dialog.h"
#include "qt/open_dialog.h"
#include "qt/screen_areas.h"
#include "support/temporary_program_folder.h"

namespace {

using forms::MsgBoxResult;

TEST(MessageBoxButtonsTest, EachStyleOffersItsButtonsFirstOneDefaultAndASafeEscape) {
    using V = std::vector<MsgBoxResult>;
    EXPECT_EQ(frontend::MsgBoxButtons(forms::MsgBoxOkOnly | forms::MsgBoxInformation),
              V{MsgBoxResult::Ok});
    EXPECT_EQ(frontend::MsgBoxButtons(forms::MsgBoxAbortRetryIgnore | forms::MsgBoxCritical),
              (V{MsgBoxResult::Abort, MsgBoxResult::Retry, MsgBoxResult::Ignore}));
    EXPECT_EQ(frontend::MsgBoxButtons(forms::MsgBoxYesNoCancel),
              (V{MsgBoxResult::Yes, MsgBoxResult::No, MsgBoxResult::Cancel}));
    EXPECT_EQ(frontend::MsgBoxButtons(forms::MsgBoxRetryCancel),
              (V{MsgBoxResult::Retry, MsgBoxResult::Cancel}));

    EXPECT_EQ(frontend::MsgBoxEscapeAnswer(forms::MsgBoxYesNoCancel), MsgBoxResult::Cancel);
    EXPECT_EQ(frontend::MsgBoxEscapeAnswer(forms::MsgBoxYesNo | forms::MsgBoxQuestion),
              MsgBoxResult::No);
    EXPECT_EQ(frontend::MsgBoxEscapeAnswer(forms::MsgBoxAbortRetryIgnore), MsgBoxResult::Abort);
    EXPECT_EQ(frontend::MsgBoxEscapeAnswer(forms::MsgBoxOkOnly), MsgBoxResult::Ok);
}

TEST(FileFilterTest, PairsBecomeQtFiltersAndStarDotStarMeansEveryFile) {
    EXPECT_EQ(frontend::ToQtFileFilter("Text files (*.txt)|*.txt|All files (*.*)|*.*"),
              "Text files (*.txt);;All files (*)");
    EXPECT_EQ(frontend::ToQtFileFilter("Programs|*.exe;*.com"), "Programs (*.exe *.com)");
    EXPECT_EQ(frontend::ToQtFileFilter(""), "");
}

TEST(LineEndsTest, CrLfForTheProgramAndLfForTheEditor) {
    EXPECT_EQ(frontend::ToEditorLineEnds("a\r\nb\rc\n"), "a\nb\nc\n");
    EXPECT_EQ(frontend::ToProgramLineEnds("a\nb\n"), "a\r\nb\r\n");
    EXPECT_EQ(frontend::ToProgramLineEnds(frontend::ToEditorLineEnds("x\r\ny")), "x\r\ny");
}

TEST(TaskbarTest, TheTaskbarIsTheStripTheDesktopKeepsOnAnyEdge) {
    const QRect screen(0, 0, 1024, 768);
    EXPECT_EQ(frontend::TaskbarOf(screen, QRect(0, 0, 1024, 738)),
              (forms::PixelRect{0, 738, 1024, 768}));
    EXPECT_EQ(frontend::TaskbarOf(screen, QRect(0, 28, 1024, 740)),
              (forms::PixelRect{0, 0, 1024, 28}));
    EXPECT_EQ(frontend::TaskbarOf(screen, QRect(48, 0, 976, 768)),
              (forms::PixelRect{0, 0, 48, 768}));
    EXPECT_EQ(frontend::TaskbarOf(screen, QRect(0, 0, 980, 768)),
              (forms::PixelRect{980, 0, 1024, 768}));
    EXPECT_TRUE(frontend::TaskbarOf(screen, screen).IsEmpty());
}

TEST(DateFormatTest, PickerFormatsInQtNotation) {
    EXPECT_EQ(frontend::QtDateFormat(forms::DateFormat::Custom, "dd/MM/yyyy"), "dd/MM/yyyy");
    EXPECT_EQ(frontend::QtDateFormat(forms::DateFormat::Custom, "hh:mm:ss tt"), "hh:mm:ss AP");
    EXPECT_EQ(frontend::QtDateFormat(forms::DateFormat::ShortDate, ""), "M/d/yyyy");
    const platform::DateTime moment{2006, 3, 16, 14, 5, 9};
    EXPECT_EQ(frontend::FromQDateTime(frontend::ToQDateTime(moment)), moment);
}

TEST(ImageFilesTest, PicturesAreFoundByNameWithOrWithoutExtensionOrByPath) {
    test_support::TemporaryProgramFolder program;
    const auto file = program.WriteFile("images/3.png", "png");
    program.WriteFile("images/banner.bmp", "bmp");
    EXPECT_EQ(frontend::FindImageFile("3"), file);
    EXPECT_EQ(frontend::FindImageFile("3.png"), file);
    EXPECT_EQ(frontend::FindImageFile("banner")->filename(), "banner.bmp");
    EXPECT_EQ(frontend::FindImageFile(program.windowsPath() + "\\images\\3.png"), file);
    EXPECT_EQ(frontend::FindImageFile(file.string()), file);
    EXPECT_FALSE(frontend::FindImageFile("4"));
    EXPECT_FALSE(frontend::FindImageFile(""));
    program.WriteFile("images/skins/x.png", "png");
    EXPECT_FALSE(frontend::FindImageFile("skins"));  // a folder is no picture
}

}  // namespace
