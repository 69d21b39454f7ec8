// The host's event loop: modal windows, message boxes, timers, the tray and the yield.
#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTimer>

#include "forms/message_box.h"
#include "qt/host_paths.h"
#include "qt/outermost_loop.h"
#include "qt/unhandled_errors.h"
#include "qt_fixture.h"
#include "support/temporary_folder.h"
#include "test_windows.h"

namespace {

class HostLoopTest : public QtHostTest {
  protected:
    // The message box on screen, if any.
    static QMessageBox* OpenMessageBox() {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible()) {
                return box;
            }
        }
        return nullptr;
    }

    // Presses a button of the next message box once it is open, and records what it showed.
    void AnswerNextBox(QMessageBox::StandardButton button) {
        QTimer::singleShot(0, [this, button] {
            if (!RunUntil([] { return OpenMessageBox() != nullptr; })) {
                ADD_FAILURE() << "no message box opened";
                return;
            }
            QMessageBox* box = OpenMessageBox();
            shownTitle = box->windowTitle();
            shownText = box->text();
            shownButtons = box->buttons().size();
            box->button(button)->click();
        });
    }

    QString shownTitle;
    QString shownText;
    qsizetype shownButtons = 0;
};

TEST_F(HostLoopTest, AMessageBoxAnswersWithTheButtonPressed) {
    AnswerNextBox(QMessageBox::No);
    EXPECT_EQ(
        forms::MsgBox("Remove the\r\nselected items?", forms::MsgBoxYesNo | forms::MsgBoxQuestion),
        forms::MsgBoxResult::No);
    EXPECT_EQ(shownText, "Remove the\nselected items?");
    EXPECT_EQ(shownTitle.toStdString(), forms::ApplicationTitle());
    EXPECT_EQ(shownButtons, 2);

    AnswerNextBox(QMessageBox::Ignore);
    EXPECT_EQ(host.MsgBox("Permission", forms::MsgBoxAbortRetryIgnore, "Permission Denied"),
              forms::MsgBoxResult::Ignore);
    EXPECT_EQ(shownTitle, "Permission Denied");
    EXPECT_EQ(shownButtons, 3);
    EXPECT_EQ(frontend::NestedLoopDepth(), 0);
}

TEST_F(HostLoopTest, AMessageBoxShowsTheOrdinaryPointerDuringTheHourglass) {
    host.SetMousePointer(forms::MousePointer::Hourglass);
    Qt::CursorShape duringBox = Qt::WaitCursor;
    QTimer::singleShot(0, [this, &duringBox] {
        RunUntil([] { return OpenMessageBox() != nullptr; });
        duringBox = QApplication::overrideCursor()->shape();
        OpenMessageBox()->button(QMessageBox::Ok)->click();
    });
    forms::MsgBox("Paused");
    EXPECT_EQ(duringBox, Qt::ArrowCursor);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    host.SetMousePointer(forms::MousePointer::Default);
}

TEST_F(HostLoopTest, TimersTickInsideAMessageBox) {
    NoteForm& note = frmNote();
    note.tmrWait.SetEnabled(true);
    QTimer::singleShot(0, [this, &note] {
        RunUntil([&note] { return note.ticks >= 3 && OpenMessageBox() != nullptr; });
        OpenMessageBox()->button(QMessageBox::Ok)->click();
    });
    forms::MsgBox("Waiting");
    EXPECT_GE(note.ticks, 3);
}

TEST_F(HostLoopTest, AModalWindowRunsANestedLoopUntilItIsHidden) {
    NoteForm& note = frmNote();
    note.tmrWait.SetEnabled(true);
    bool clickedWhileModal = false;
    QTimer::singleShot(0, [&] {
        RunUntil([&note] { return note.ticks >= 2; });
        clickedWhileModal = WindowOf(note).isVisible() && WindowOf(note).isModal();
        WidgetOf<QPushButton>(note.cmdOk).click();  // its handler hides the window
    });
    note.Show(forms::ShowMode::Modal);
    EXPECT_TRUE(clickedWhileModal);
    EXPECT_FALSE(note.Visible());
    EXPECT_GE(note.ticks, 2);
    EXPECT_FALSE(WindowOf(note).isModal());
}

TEST_F(HostLoopTest, AModalWindowEndsItsLoopWhenUnloaded) {
    NoteForm& note = frmNote();
    QTimer::singleShot(0, [&note] { note.Unload(); });
    note.Show(forms::ShowMode::Modal);
    EXPECT_FALSE(forms::IsLoaded<NoteForm>());
}

TEST_F(HostLoopTest, ATimerTicksUntilStoppedAndNeverNests) {
    NoteForm& note = frmNote();
    int nested = 0;
    int depth = 0;
    note.tmrWait.OnTimer = [&] {
        ++note.ticks;
        nested = std::max(nested, ++depth);
        forms::DoEvents();  // a tick yields; the next tick must not run inside this one
        --depth;
        if (note.ticks == 5) {
            note.tmrWait.SetEnabled(false);
        }
    };
    note.tmrWait.SetEnabled(true);
    EXPECT_TRUE(RunUntil([&note] { return note.ticks >= 5; }));
    ProcessEvents();
    RunUntil([] { return false; }, std::chrono::milliseconds(60));  // no further tick comes
    EXPECT_EQ(note.ticks, 5);
    EXPECT_EQ(nested, 1);
    EXPECT_EQ(host.timers().RunningCount(), 0u);
}

TEST_F(HostLoopTest, TrayActivationsReachTheOwningWindowAsClassicMessages) {
    GalleryForm& form = frmGallery();
    form.events.clear();
    const std::string longTip(80, 'x');
    host.AddTrayIcon(forms::TrayIcon{form.Hwnd(), 1, longTip, ""});
    QSystemTrayIcon* icon = host.trayIcons().Find(form.Hwnd(), 1);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->toolTip().size(), 63);
    EXPECT_FALSE(icon->icon().isNull());

    emit icon->activated(QSystemTrayIcon::DoubleClick);
    emit icon->activated(QSystemTrayIcon::Trigger);
    emit icon->activated(QSystemTrayIcon::Context);
    EXPECT_EQ(form.events, (std::vector<std::string>{"Tray 515", "Tray 513", "Tray 516"}));

    EXPECT_TRUE(host.ModifyTrayIcon(forms::TrayIcon{form.Hwnd(), 1, "Tollenwark", ""}));
    EXPECT_EQ(icon->toolTip(), "Tollenwark");
    EXPECT_TRUE(host.DeleteTrayIcon(form.Hwnd(), 1));
    EXPECT_EQ(host.trayIcons().Find(form.Hwnd(), 1), nullptr);
    EXPECT_FALSE(host.ModifyTrayIcon(forms::TrayIcon{form.Hwnd(), 1, "gone", ""}));
}

TEST_F(HostLoopTest, UnloadedWindowsAreDestroyedOnlyBackInTheOutermostLoop) {
    GalleryForm& form = frmGallery();
    form.Show();
    QPointer<frontend::FormWindow> window = &WindowOf(form);
    {
        frontend::NestedLoopScope inAHandler;
        form.Unload();
        QCoreApplication::processEvents();  // a yield inside the handler
        EXPECT_TRUE(window);
    }
    ProcessEvents();
    EXPECT_FALSE(window);
}

TEST_F(HostLoopTest, ScreenTaskbarClipboardAndPointer) {
    const forms::PixelRect screen = host.ScreenRect();
    EXPECT_GT(screen.Width(), 0);
    EXPECT_TRUE(host.TaskbarRect().IsEmpty());  // the offscreen desktop keeps nothing for itself

    host.SetClipboardText("C:\\Windows\\cool.dll");
    EXPECT_EQ(host.ClipboardText(), "C:\\Windows\\cool.dll");
    host.ClearClipboard();
    EXPECT_EQ(host.ClipboardText(), "");

    host.SetMousePointer(forms::MousePointer::Hourglass);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    host.SetMousePointer(forms::MousePointer::Default);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// Counts the paints a widget receives.
class PaintCounter final : public QObject {
  public:
    explicit PaintCounter(QWidget& widget) { widget.installEventFilter(this); }
    int paints = 0;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
};

TEST_F(HostLoopTest, ALockedWindowPaintsWhatChangedOnlyOnceReleased) {
    GalleryForm& gallery = frmGallery();
    NoteForm& note = frmNote();
    gallery.Show();
    ProcessEvents();
    PaintCounter title(WidgetOf<QLabel>(gallery.lblTitle));
    PaintCounter button(WidgetOf<QPushButton>(gallery.cmdGo));

    EXPECT_TRUE(host.LockWindowUpdate(gallery.Hwnd()));
    EXPECT_FALSE(host.LockWindowUpdate(note.Hwnd()));  // one window at a time
    gallery.lblTitle.SetCaption("Scanning C:\\Windows");
    ProcessEvents();
    EXPECT_EQ(title.paints, 0);

    EXPECT_TRUE(host.LockWindowUpdate(0));
    EXPECT_TRUE(RunUntil([&title] { return title.paints > 0; }));
    EXPECT_EQ(button.paints, 0);  // not the whole window
}

// A failure that no handler caught is shown, and the process then ends with a failing status, so
// that whatever started the program learns that it failed.
TEST_F(HostLoopTest, AnUnhandledErrorIsShownAndEndsTheProcessWithAFailingStatus) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            frontend::SetUnhandledErrorHandler({});
            QTimer::singleShot(0, [] {
                QMessageBox* box = nullptr;
                while ((box = OpenMessageBox()) == nullptr) {
                    QCoreApplication::processEvents();
                }
                std::fprintf(stderr, "shown: %s\n", box->text().toUtf8().constData());
                box->close();
            });
            frontend::RunGuarded([] { throw std::runtime_error("the disk went away"); });
            std::_Exit(0);
        },
        ::testing::ExitedWithCode(forms::kFailedEnd), "shown: Run-time error: the disk went away");
}

// The entry goes as the window system's own state: the window is never re-created for it, which
// would hide it and lose its place.
TEST_F(HostLoopTest, TheApplicationsTaskbarEntryLeavesEveryWindowAsItIs) {
    GalleryForm& form = frmGallery();
    form.Show();
    ProcessEvents();
    const WId native = WindowOf(form).winId();
    const QRect place = WindowOf(form).geometry();
    host.SetApplicationInTaskbar(false);
    EXPECT_FALSE(host.ApplicationInTaskbar());
    host.SetApplicationInTaskbar(true);
    EXPECT_TRUE(WindowOf(form).isVisible());
    EXPECT_EQ(WindowOf(form).winId(), native);
    EXPECT_EQ(WindowOf(form).geometry(), place);
}

TEST_F(HostLoopTest, TheOpenDialogStartsInTheFolderAskedForAndAnswersAWindowsPath) {
    test_support::TemporaryFolder folder("open-dialog");
    const auto file = folder.WriteFile("found.txt", "x");
    QString startedIn;
    QTimer::singleShot(0, [this, &startedIn] {
        QFileDialog* dialog = nullptr;
        RunUntil([&dialog] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (auto* open = qobject_cast<QFileDialog*>(widget); open && open->isVisible()) {
                    dialog = open;
                }
            }
            return dialog != nullptr;
        });
        ASSERT_NE(dialog, nullptr);
        startedIn = dialog->directory().absolutePath();
        dialog->selectFile(QStringLiteral("found.txt"));
        QMetaObject::invokeMethod(dialog, "accept");
    });
    forms::OpenDialogRequest request;
    request.title = "Submit a file";
    request.filter = "All files (*.*)|*.*";
    request.initialFolder = frontend::WindowsPathOf(folder.path());
    const std::optional<std::string> chosen = host.ShowOpenDialog(request);
    EXPECT_EQ(startedIn.toStdString(), folder.path().string());
    ASSERT_TRUE(chosen);
    EXPECT_EQ(*chosen, frontend::WindowsPathOf(file));
    EXPECT_EQ(frontend::HostPathOf(*chosen), file);

    QTimer::singleShot(0, [this] {
        RunUntil([] { return QApplication::activeModalWidget() != nullptr; });
        QApplication::activeModalWidget()->close();
    });
    EXPECT_FALSE(host.ShowOpenDialog(request));  // cancelled
}

}  // namespace
