// Draws the window that holds every kind of control. With TOLLENWARK_SCREENSHOT naming a PNG file
// the picture is saved there to be looked at (scripts/screenshot-controls runs this under Xvfb).
#include <QPixmap>
#include <cstdlib>
#include <filesystem>

#include "qt_fixture.h"
#include "support/scoped_environment.h"
#include "test_windows.h"

namespace {

class GalleryScreenshotTest : public QtHostTest {};

TEST_F(GalleryScreenshotTest, EveryControlIsDrawn) {
    // The build puts the program's pictures beside the test programs' folder.
    const auto build = std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path();
    test_support::ScopedEnvironmentVariable program("TOLLENWARK_PROGRAM_FOLDER", build.string());
    GalleryForm& form = frmGallery();
    form.lvwFound.SetSmallIconImages(
        {"result_cookie", "result_registry", "result_file", "result_folder", "result_excluded"});
    form.lvwFound.ListItems.Add("Cool Search", 3).SetSubItem(1, "C:\\Windows\\cool.dll");
    form.lvwFound.ListItems.Add("Tracking cookie", 1).SetSubItem(1, "ads.example.com");
    form.lvwFound.ListItems(1).SetChecked(true);
    form.cmbDays.SetListIndex(2);
    form.TabStrip1.Select(2);
    form.picBanner.SetPicture("home_page.png");
    form.imgLogo.SetPicture("program_icon");
    form.imgLogo.SetStretch(true);
    form.Show();
    ASSERT_TRUE(RunUntil([&] { return WindowOf(form).isVisible(); }));
    RunUntil([] { return false; }, std::chrono::milliseconds(200));

    const QPixmap picture = WindowOf(form).grab();
    EXPECT_FALSE(picture.isNull());
    EXPECT_EQ(picture.width(), WindowOf(form).width());
    if (const char* file = std::getenv("TOLLENWARK_SCREENSHOT"); file != nullptr && *file) {
        EXPECT_TRUE(picture.save(QString::fromLocal8Bit(file), "PNG"));
    }
}

}  // namespace
