// A change made to the model by code shows on its widget.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTreeView>

#include "qt_fixture.h"
#include "test_windows.h"

namespace {

class ModelToWidgetTest : public QtHostTest {};

TEST_F(ModelToWidgetTest, WindowFollowsTheFormsCaptionVisibilityPlaceAndSize) {
    GalleryForm& form = frmGallery();
    frontend::FormWindow& window = WindowOf(form);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.windowTitle(), "Every control");

    form.Show();
    EXPECT_TRUE(window.isVisible());
    form.SetCaption("Renamed");
    EXPECT_EQ(window.windowTitle(), "Renamed");

    form.Move(1500, 3000, 6000, 4500);
    ProcessEvents();
    const forms::FrameInsets insets = form.Insets();
    EXPECT_EQ(window.pos(), QPoint(100, 200));
    EXPECT_EQ(window.width() + insets.left + insets.right, 400);
    EXPECT_EQ(window.height() + insets.top + insets.bottom - window.menuBar()->sizeHint().height(),
              300);
    EXPECT_DOUBLE_EQ(form.Width(), 6000);  // the window's own size did not feed back

    form.Hide();
    EXPECT_FALSE(window.isVisible());
}

TEST_F(ModelToWidgetTest, TheUserCannotDragAWindowBelowItsMinimumSize) {
    GalleryForm& form = frmGallery();
    frontend::FormWindow& window = WindowOf(form);
    form.Show();
    form.SetMinimumSize(6000, 4500);
    ProcessEvents();
    const forms::FrameInsets insets = form.Insets();
    const int menuBar = window.menuBar()->sizeHint().height();
    EXPECT_EQ(window.minimumWidth() + insets.left + insets.right, 400);
    EXPECT_EQ(window.minimumHeight() + insets.top + insets.bottom - menuBar, 300);

    form.SetMinimumSize(0, 0);
    EXPECT_EQ(window.minimumSize(), QSize(0, 0));
}

TEST_F(ModelToWidgetTest, ControlsSitAtTheirTwipsPositionInsideTheirContainer) {
    GalleryForm& form = frmGallery();
    form.Show();
    auto& option = WidgetOf<QRadioButton>(form.optQuick);
    EXPECT_EQ(option.parentWidget(), &WidgetOf<QGroupBox>(form.fraMode));
    EXPECT_EQ(option.geometry(), QRect(8, 20, 160, 21));

    form.cmdGo.Move(300, 450, 1500, 375);
    EXPECT_EQ(WidgetOf<QPushButton>(form.cmdGo).geometry(), QRect(20, 30, 100, 25));

    // Moving a control into another container moves its widget there.
    form.cmdGo.SetContainer(&form.fraMode);
    EXPECT_EQ(WidgetOf<QPushButton>(form.cmdGo).parentWidget(), &WidgetOf<QGroupBox>(form.fraMode));
}

TEST_F(ModelToWidgetTest, PixelScaledFormsPlaceControlsInPixels) {
    NoteForm& form = frmNote();
    form.SetScaleMode(forms::ScaleMode::Pixels);
    form.cmdOk.Move(12, 4, 265, 21);
    EXPECT_EQ(WidgetOf<QPushButton>(form.cmdOk).geometry(), QRect(12, 4, 265, 21));
}

TEST_F(ModelToWidgetTest, CaptionsValuesAndStatesReachTheWidgets) {
    GalleryForm& form = frmGallery();
    form.Show();

    form.lblTitle.SetCaption("Spyware/Adware has been detected.");
    EXPECT_EQ(WidgetOf<QLabel>(form.lblTitle).text(), "Spyware/Adware has been detected.");
    EXPECT_TRUE(WidgetOf<QLabel>(form.lblTitle).font().bold());
    EXPECT_TRUE(WidgetOf<QLabel>(form.lblSkin).font().italic());
    EXPECT_TRUE(WidgetOf<QLabel>(form.lblSkin).alignment() & Qt::AlignRight);

    form.cmdGo.SetEnabled(false);
    EXPECT_FALSE(WidgetOf<QPushButton>(form.cmdGo).isEnabled());
    // A caption shows as written: "&" is no access key, even in an entity.
    form.cmdGo.SetCaption("Save &amp; Close");
    EXPECT_TRUE(QKeySequence::mnemonic(WidgetOf<QPushButton>(form.cmdGo).text()).isEmpty());
    form.chkLog.SetVisible(false);
    EXPECT_TRUE(WidgetOf<QCheckBox>(form.chkLog).isHidden());

    form.chkLog.SetValue(forms::kGrayed);
    EXPECT_EQ(WidgetOf<QCheckBox>(form.chkLog).checkState(), Qt::PartiallyChecked);
    form.optQuick.SetValue(true);  // clears its partner in the frame
    EXPECT_TRUE(WidgetOf<QRadioButton>(form.optQuick).isChecked());
    EXPECT_FALSE(WidgetOf<QRadioButton>(form.optFull).isChecked());

    form.cmbDays.SetListIndex(2);
    EXPECT_EQ(WidgetOf<QComboBox>(form.cmbDays).currentText(), "Daily");
    form.cmbDays.Clear();
    EXPECT_EQ(WidgetOf<QComboBox>(form.cmbDays).count(), 0);
    // Entries come and go one at a time, the selection with them.
    for (const char* entry : {"Monday", "Sunday", "Never"}) {
        form.cmbDays.AddItem(entry);
    }
    EXPECT_EQ(WidgetOf<QComboBox>(form.cmbDays).currentIndex(), -1) << "nothing chosen yet";
    form.cmbDays.SetListIndex(1);
    form.cmbDays.AddItem("Daily", 1);
    form.cmbDays.RemoveItem(0);
    const QComboBox& days = WidgetOf<QComboBox>(form.cmbDays);
    ASSERT_EQ(days.count(), 3);
    EXPECT_EQ(days.itemText(0), "Daily");
    EXPECT_EQ(days.itemText(2), "Never");
    EXPECT_EQ(days.currentText(), "Sunday");

    form.TabStrip1.Select(3);
    EXPECT_EQ(WidgetOf<QTabBar>(form.TabStrip1).currentIndex(), 2);
    EXPECT_EQ(WidgetOf<QTabBar>(form.TabStrip1).tabText(3), "Auto Update");

    form.pbMain.SetMax(200);
    form.pbMain.SetValue(150);
    EXPECT_EQ(WidgetOf<QProgressBar>(form.pbMain).maximum(), 200);
    EXPECT_EQ(WidgetOf<QProgressBar>(form.pbMain).value(), 150);
}

TEST_F(ModelToWidgetTest, ListRowsSubItemsAndTicksReachTheListWidget) {
    GalleryForm& form = frmGallery();
    form.Show();
    auto& tree = WidgetOf<QTreeView>(form.lvwFound);
    QAbstractItemModel& rows = *tree.model();

    forms::ListItem& first = form.lvwFound.ListItems.Add("Cool Search", 3);
    first.SetSubItem(1, "C:\\Windows\\cool.dll");
    form.lvwFound.ListItems.Add("Tracker");
    form.lvwFound.ListItems.Add("Dialer");
    ProcessEvents();
    ASSERT_EQ(rows.rowCount(), 3);
    EXPECT_EQ(rows.headerData(1, Qt::Horizontal).toString(), "Location");
    EXPECT_EQ(rows.index(0, 1).data().toString(), "C:\\Windows\\cool.dll");
    EXPECT_EQ(rows.index(0, 0).data(Qt::CheckStateRole).toInt(), Qt::Unchecked);

    form.lvwFound.ListItems(2).SetChecked(true);
    EXPECT_EQ(rows.index(1, 0).data(Qt::CheckStateRole).toInt(), Qt::Checked);
    form.lvwFound.ListItems.Remove(1);
    ASSERT_EQ(rows.rowCount(), 2);
    EXPECT_EQ(rows.index(0, 0).data().toString(), "Tracker");
    EXPECT_EQ(rows.index(0, 0).data(Qt::CheckStateRole).toInt(), Qt::Checked);

    form.lvwFound.ColumnHeaders(1).SetWidth(3000);
    EXPECT_EQ(tree.header()->sectionSize(0), 200);
    form.lvwFound.ListItems.Clear();
    EXPECT_EQ(rows.rowCount(), 0);
}

TEST_F(ModelToWidgetTest, MenusBuildTheMenuBarWithSeparatorsHiddenAndCheckedItems) {
    GalleryForm& form = frmGallery();
    form.Show();
    QMenuBar& bar = *WindowOf(form).menuBar();
    ASSERT_EQ(bar.actions().size(), 1);
    QMenu& file = *bar.actions().front()->menu();
    EXPECT_EQ(bar.actions().front()->text(), "&File");
    const QList<QAction*> items = file.actions();
    ASSERT_EQ(items.size(), 4);
    EXPECT_TRUE(items[0]->isChecked());
    EXPECT_TRUE(items[1]->isSeparator());
    EXPECT_TRUE(items[1]->text().isEmpty()) << "the style would draw the \"-\" beside the line";
    EXPECT_FALSE(items[2]->isVisible());

    form.mnuFileItem(2).SetVisible(true);
    form.mnuFileItem(3).SetCaption("Quit");
    EXPECT_TRUE(items[2]->isVisible());
    EXPECT_EQ(items[3]->text(), "Quit");

    // An element loaded at run time joins its menu.
    forms::Menu& added = form.mnuFileItem.Load(4);
    added.SetCaption("Added");
    added.SetVisible(true);
    QMenu& rebuilt = *bar.actions().front()->menu();
    ASSERT_EQ(rebuilt.actions().size(), 5);
    EXPECT_EQ(rebuilt.actions()[4]->text(), "Added");
}

TEST_F(ModelToWidgetTest, ControlsAddedAtRunTimeAppearOnTopAndGoWhenUnloaded) {
    GalleryForm& form = frmGallery();
    form.Show();
    auto& made = form.AddControl<forms::Label>("lblMade");
    made.Move(120, 120, 1500, 255);
    made.SetCaption("Made at run time");
    QWidget& client = *WindowOf(form).centralWidget();
    EXPECT_EQ(client.children().last(), &WidgetOf<QLabel>(made));
    EXPECT_EQ(WidgetOf<QLabel>(made).text(), "Made at run time");

    // Containers lie beneath the controls designed before them.
    const QObjectList stack = client.children();
    EXPECT_LT(stack.indexOf(&WidgetOf<QGroupBox>(form.fraMode)),
              stack.indexOf(&WidgetOf<QPushButton>(form.cmdGo)));
}

}  // namespace
