// Draws the about box and the language chooser. With TOLLENWARK_SCREENSHOT_DIR naming a folder the
// pictures are saved there as about.png and language.png, to be looked at:
//   TOLLENWARK_SCREENSHOT_DIR=/tmp/shots QT_QPA_PLATFORM=xcb xvfb-run -a
//     -s "-screen 0 1280x1024x24" build/tests/qt_tests --gtest_filter='AboutScreenshots*'
#include <QPixmap>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "foundation/brand.h"
#include "localization/globals.h"
#include "qt_fixture.h"
#include "support/scoped_environment.h"
#include "ui/frm_about.h"
#include "ui/frm_language.h"

namespace {

class AboutScreenshots : public QtHostTest {
  protected:
    AboutScreenshots() {
        InitBrandSettings();
        gCurrentLanguage = "English";
        gLanguages = std::make_unique<clsLanguages>();
        gLanguages->LoadDefaultMessages();
    }
    ~AboutScreenshots() override { ResetLocalizationGlobals(); }

    // Shows the window, checks that it is drawn and saves the picture when asked to.
    void Draw(forms::Form& window, const std::string& fileName) {
        window.Show();
        ASSERT_TRUE(RunUntil([&] { return WindowOf(window).isVisible(); }));
        RunUntil([] { return false; }, std::chrono::milliseconds(300));
        const QPixmap picture = WindowOf(window).grab();
        EXPECT_FALSE(picture.isNull());
        if (const char* folder = std::getenv("TOLLENWARK_SCREENSHOT_DIR"); folder && *folder) {
            const std::string file = (std::filesystem::path(folder) / fileName).string();
            EXPECT_TRUE(picture.save(QString::fromStdString(file), "PNG")) << file;
        }
    }

    // The build puts the program's pictures and language file beside the test programs' folder.
    test_support::ScopedEnvironmentVariable program{
        "TOLLENWARK_PROGRAM_FOLDER",
        std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path().string()};
};

TEST_F(AboutScreenshots, TheAboutBox) {
    Draw(frmAbout(), "about.png");
}

TEST_F(AboutScreenshots, TheLanguageChooser) {
    FrmLanguageForm& chooser = frmLanguage();
    EXPECT_GE(chooser.Combo1.ListCount(), 2) << "the program's language file lists its languages";
    Draw(chooser, "language.png");
}

}  // namespace
