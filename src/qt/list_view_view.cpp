#include <QHeaderView>
#include <QTreeView>

#include "forms/list_view.h"
#include "qt/report_rows.h"
#include "qt/units.h"
#include "qt/views.h"

// List views in report view.
namespace frontend {
namespace {

class ListViewView final : public ControlView {
  public:
    ListViewView(forms::ListView& list, QWidget* parent)
        : ControlView(list, new QTreeView(parent)), list_(list), rows_(list) {
        QTreeView& tree = shown();
        tree.setRootIsDecorated(false);
        tree.setItemsExpandable(false);
        tree.setUniformRowHeights(true);
        tree.setAllColumnsShowFocus(true);
        tree.setSelectionBehavior(QAbstractItemView::SelectRows);
        tree.setSelectionMode(QAbstractItemView::SingleSelection);
        tree.setEditTriggers(QAbstractItemView::NoEditTriggers);
        tree.header()->setStretchLastSection(false);
        tree.header()->setSectionsMovable(false);
        tree.setModel(&rows_);
        ForwardMouseFrom(tree.viewport());
        rows_.onUserCheck = [this](int row, bool checked) {
            FromUser([&] { list_.UserSetChecked(row, checked); });
        };
        QObject::connect(&tree, &QTreeView::clicked, this,
                         [this] { FromUser([this] { list_.Click(); }); });
    }

    ~ListViewView() override {
        if (widget() != nullptr) {
            shown().setModel(nullptr);
        }
    }

    void Kill() override {
        rows_.Kill();
        ControlView::Kill();
    }

  protected:
    void ApplyOwn(forms::Property property, int item) override {
        using forms::Property;
        switch (property) {
            case Property::ListItemAdded:
                rows_.RowAdded(item);
                break;
            case Property::ListItemRemoved:
                rows_.RowRemoved(item);
                break;
            case Property::ListItemsCleared:
                rows_.RowsCleared();
                break;
            case Property::ListItemChanged:
                rows_.RowChanged(item);
                break;
            case Property::ColumnHeaders:
                rows_.ColumnsChanged();
                ApplyColumns();
                break;
            case Property::Checkboxes:
            case Property::SmallIconImages:
                rows_.LookChanged();
                ApplyColumns();
                break;
            case Property::HideColumnHeaders:
                shown().header()->setVisible(!list_.HideColumnHeaders());
                break;
            default:
                break;
        }
    }

    void ApplyAllOwn() override {
        rows_.ColumnsChanged();
        ApplyColumns();
        shown().header()->setVisible(!list_.HideColumnHeaders());
    }

  private:
    QTreeView& shown() const { return *static_cast<QTreeView*>(widget()); }

    // Column widths are twips, whatever the form's scale; a list without headers shows one column
    // as wide as the list.
    void ApplyColumns() {
        const int columns = list_.ColumnHeaders.Count();
        if (columns == 0) {
            shown().header()->resizeSection(
                0, std::max(shown().viewport()->width(), ToPixels(list_.Width(), TwipsPerUnit())));
            return;
        }
        for (int column = 1; column <= columns; ++column) {
            shown().header()->resizeSection(column - 1,
                                            TwipsToPixels(list_.ColumnHeaders(column).Width()));
        }
    }

    forms::ListView& list_;
    ReportRows rows_;
};

}  // namespace

std::unique_ptr<ControlView> MakeListViewView(forms::ListView& list, QWidget* parent) {
    return std::make_unique<ListViewView>(list, parent);
}

}  // namespace frontend
