// Long lists: rows added and removed in bulk take linear time and stay in step with the model.
#include <QElapsedTimer>
#include <QTreeView>

#include "qt_fixture.h"
#include "test_windows.h"

namespace {

class ListViewRowsTest : public QtHostTest {};

TEST_F(ListViewRowsTest, AHundredThousandRowsAreAddedAndRemovedQuickly) {
    GalleryForm& form = frmGallery();
    form.Show();
    auto& tree = WidgetOf<QTreeView>(form.lvwFound);
    QElapsedTimer clock;
    clock.start();
    for (int row = 1; row <= 100'000; ++row) {
        forms::ListItem& item = form.lvwFound.ListItems.Add("Threat " + std::to_string(row), 3);
        item.SetSubItem(1, "C:\\Program Files\\x" + std::to_string(row));
        if (row % 1000 == 0) {
            forms::DoEvents();  // a scan yields as it goes
        }
    }
    ProcessEvents();
    ASSERT_EQ(tree.model()->rowCount(), 100'000);
    EXPECT_EQ(tree.model()->index(99'999, 1).data().toString(), "C:\\Program Files\\x100000");

    // Removing rows from the end (as dropping ticked rows from the bottom does) and clearing.
    for (int row = 100'000; row > 90'000; --row) {
        form.lvwFound.ListItems.Remove(row);
    }
    EXPECT_EQ(tree.model()->rowCount(), 90'000);
    form.lvwFound.ListItems.Clear();
    EXPECT_EQ(tree.model()->rowCount(), 0);
    EXPECT_LT(clock.elapsed(), 20'000) << "filling and emptying took " << clock.elapsed() << " ms";
}

TEST_F(ListViewRowsTest, RowsAppendedInABurstAndThenChangedShowTheirLatestState) {
    GalleryForm& form = frmGallery();
    form.Show();
    QAbstractItemModel& rows = *WidgetOf<QTreeView>(form.lvwFound).model();
    form.lvwFound.ListItems.Add("one");
    form.lvwFound.ListItems.Add("two");
    form.lvwFound.ListItems(2).SetText("two, renamed");  // before the burst was told
    form.lvwFound.ListItems.Remove(1);
    form.lvwFound.ListItems.Add("three");
    ProcessEvents();
    ASSERT_EQ(rows.rowCount(), 2);
    EXPECT_EQ(rows.index(0, 0).data().toString(), "two, renamed");
    EXPECT_EQ(rows.index(1, 0).data().toString(), "three");
}

}  // namespace
