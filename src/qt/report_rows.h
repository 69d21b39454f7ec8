#pragma once

#include <QAbstractTableModel>
#include <QIcon>
#include <functional>
#include <map>

#include "forms/list_view.h"

namespace frontend {

// The rows of a list view as a Qt table model that reads the control's rows where they are
// (nothing is copied). The control tells of each change after making it, so this model keeps the
// count of rows the Qt view knows and tells the view of each change in the order made. Rows
// appended in a burst are told as one insertion when the event loop next runs (or before any other
// change), so that filling a list with many rows takes linear time.
class ReportRows final : public QAbstractTableModel {
  public:
    explicit ReportRows(forms::ListView& list, QObject* parent = nullptr);

    // The list's window went away: the model shows nothing more and reads nothing more.
    void Kill();

    // The list view's changes (rows from 1).
    void RowAdded(int row);
    void RowRemoved(int row);
    void RowsCleared();
    void RowChanged(int row);
    void ColumnsChanged();
    void LookChanged();  // ticks shown or not, small icons
    // Tells the view of the rows appended since it last heard.
    void Flush();

    // The user ticked or unticked a row (from 1).
    std::function<void(int row, bool checked)> onUserCheck;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    int ListColumns() const;
    QString CellText(const forms::ListItem& item, int column) const;
    QIcon SmallIcon(int number) const;

    forms::ListView& list_;
    bool alive_ = true;
    int knownRows_ = 0;
    int pendingRows_ = 0;
    bool flushQueued_ = false;
    int knownColumns_ = 1;
    mutable std::map<int, QIcon> icons_;
};

}  // namespace frontend
