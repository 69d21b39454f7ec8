#include "qt/report_rows.h"

#include <QTimer>
#include <string>

#include "qt/pictures.h"

namespace frontend {

ReportRows::ReportRows(forms::ListView& list, QObject* parent)
    : QAbstractTableModel(parent), list_(list) {
    knownRows_ = list_.ListItems.Count();
    knownColumns_ = ListColumns();
}

void ReportRows::Kill() {
    beginResetModel();
    alive_ = false;
    knownRows_ = 0;
    pendingRows_ = 0;
    endResetModel();
}

int ReportRows::ListColumns() const {
    return std::max(1, list_.ColumnHeaders.Count());
}

void ReportRows::RowAdded(int row) {
    if (row == knownRows_ + pendingRows_ + 1) {
        ++pendingRows_;
        if (!flushQueued_) {
            flushQueued_ = true;
            QTimer::singleShot(0, this, [this] { Flush(); });
        }
        return;
    }
    Flush();
    beginInsertRows({}, row - 1, row - 1);
    ++knownRows_;
    endInsertRows();
}

void ReportRows::Flush() {
    flushQueued_ = false;
    if (pendingRows_ == 0 || !alive_) {
        return;
    }
    beginInsertRows({}, knownRows_, knownRows_ + pendingRows_ - 1);
    knownRows_ += pendingRows_;
    pendingRows_ = 0;
    endInsertRows();
}

void ReportRows::RowRemoved(int row) {
    Flush();
    if (row < 1 || row > knownRows_) {
        return;
    }
    beginRemoveRows({}, row - 1, row - 1);
    --knownRows_;
    endRemoveRows();
}

void ReportRows::RowsCleared() {
    beginResetModel();
    knownRows_ = 0;
    pendingRows_ = 0;
    endResetModel();
}

void ReportRows::RowChanged(int row) {
    Flush();
    if (row >= 1 && row <= knownRows_) {
        emit dataChanged(index(row - 1, 0), index(row - 1, knownColumns_ - 1));
    }
}

void ReportRows::ColumnsChanged() {
    Flush();
    beginResetModel();
    knownColumns_ = ListColumns();
    endResetModel();
}

void ReportRows::LookChanged() {
    Flush();
    icons_.clear();
    beginResetModel();
    endResetModel();
}

int ReportRows::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : knownRows_;
}

int ReportRows::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : knownColumns_;
}

QString ReportRows::CellText(const forms::ListItem& item, int column) const {
    if (column == 0) {
        return QString::fromStdString(item.Text());
    }
    if (column >= list_.ColumnHeaders.Count()) {
        return {};
    }
    return QString::fromStdString(item.SubItems(column));
}

QIcon ReportRows::SmallIcon(int number) const {
    if (auto found = icons_.find(number); found != icons_.end()) {
        return found->second;
    }
    // A row names its icon by number: the list's own image names, else a picture of that number.
    const auto& images = list_.SmallIconImages();
    const forms::ImageId id = number <= static_cast<int>(images.size())
                                  ? images[static_cast<std::size_t>(number) - 1]
                                  : std::to_string(number);
    return icons_.emplace(number, IconOf(id)).first->second;
}

QVariant ReportRows::data(const QModelIndex& index, int role) const {
    // While a burst of appends is told after a removal, the view may ask for a row that the list
    // no longer has.
    if (!alive_ || !index.isValid() || index.row() >= knownRows_ ||
        index.row() >= list_.ListItems.Count()) {
        return {};
    }
    const forms::ListItem& item = list_.ListItems(index.row() + 1);
    switch (role) {
        case Qt::DisplayRole:
        case Qt::ToolTipRole:
            return CellText(item, index.column());
        case Qt::CheckStateRole:
            if (index.column() == 0 && list_.Checkboxes()) {
                return item.Checked() ? Qt::Checked : Qt::Unchecked;
            }
            return {};
        case Qt::DecorationRole:
            if (index.column() == 0 && item.SmallIcon() > 0) {
                return SmallIcon(item.SmallIcon());
            }
            return {};
        default:
            return {};
    }
}

bool ReportRows::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!alive_ || role != Qt::CheckStateRole || index.column() != 0 || !onUserCheck ||
        index.row() >= list_.ListItems.Count()) {
        return false;
    }
    onUserCheck(index.row() + 1, value.toInt() == Qt::Checked);
    return true;
}

Qt::ItemFlags ReportRows::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (alive_ && index.column() == 0 && list_.Checkboxes()) {
        flags |= Qt::ItemIsUserCheckable;
    }
    return flags;
}

QVariant ReportRows::headerData(int section, Qt::Orientation orientation, int role) const {
    if (!alive_ || orientation != Qt::Horizontal || role != Qt::DisplayRole ||
        section >= list_.ColumnHeaders.Count()) {
        return {};
    }
    return QString::fromStdString(list_.ColumnHeaders(section + 1).Text());
}

}  // namespace frontend
