#include "app/grid_model.h"

#include "app/qt_text.h"
#include "document/log_document.h"

namespace vaziduvu {

GridModel::GridModel(LogDocument &document, QObject *parent)
    : QAbstractTableModel(parent)
    , document_(document)
{
}

int GridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : shownRows_;
}

int GridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : shownColumns_;
}

QVariant GridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return toQt(document_.text(index.column() + 1, documentRow(index.row())),
                document_.textEncoding());
}

bool GridModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    const int column = index.column() + 1;
    const int row = documentRow(index.row());
    std::optional<std::string> text = editFilter_
        ? editFilter_(column, row, value.toString())
        : fromQt(value.toString(), document_.textEncoding());
    if (!text)
        return false;
    if (cellWriter_)
        cellWriter_(column, row, std::move(*text));
    else
        document_.setText(column, row, std::move(*text));
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return toQt(document_.text(section + 1, 0), document_.textEncoding());
    if (section < 0 || section >= shownRows_)
        return {};
    return toQt(document_.text(0, documentRow(section)), document_.textEncoding());
}

Qt::ItemFlags GridModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

void GridModel::reload()
{
    const int columns = std::max(0, document_.columnCount() - 1);
    const int rows
        = shown_ ? static_cast<int>(shown_->size()) : std::max(0, document_.rowCount() - 1);
    if (columns < shownColumns_ || rows < shownRows_) {
        beginResetModel();
        shownColumns_ = columns;
        shownRows_ = rows;
        endResetModel();
        return;
    }
    // Growing keeps the view's scroll position and current cell.
    if (columns > shownColumns_) {
        beginInsertColumns({}, shownColumns_, columns - 1);
        shownColumns_ = columns;
        endInsertColumns();
    }
    if (rows > shownRows_) {
        beginInsertRows({}, shownRows_, rows - 1);
        shownRows_ = rows;
        endInsertRows();
    }
    if (shownColumns_ > 0 && shownRows_ > 0)
        emit dataChanged(index(0, 0), index(shownRows_ - 1, shownColumns_ - 1));
    if (shownColumns_ > 0)
        emit headerDataChanged(Qt::Horizontal, 0, shownColumns_ - 1);
    if (shownRows_ > 0)
        emit headerDataChanged(Qt::Vertical, 0, shownRows_ - 1);
}

void GridModel::setShownRows(std::optional<std::vector<int>> rows)
{
    beginResetModel();
    shown_ = std::move(rows);
    viewRows_.clear();
    if (shown_) {
        viewRows_.assign(static_cast<size_t>(std::max(1, document_.rowCount())), -1);
        for (size_t i = 0; i < shown_->size(); ++i) {
            const auto row = static_cast<size_t>((*shown_)[i]);
            if (row < viewRows_.size())
                viewRows_[row] = static_cast<int>(i);
        }
    }
    shownColumns_ = std::max(0, document_.columnCount() - 1);
    shownRows_ = shown_ ? static_cast<int>(shown_->size()) : std::max(0, document_.rowCount() - 1);
    endResetModel();
}

int GridModel::viewRow(int documentRow) const
{
    if (!shown_)
        return documentRow >= 1 && documentRow <= shownRows_ ? documentRow - 1 : -1;
    return documentRow >= 0 && static_cast<size_t>(documentRow) < viewRows_.size()
        ? viewRows_[static_cast<size_t>(documentRow)]
        : -1;
}

int GridModel::documentRowOf(const QModelIndex &index)
{
    const auto *model = qobject_cast<const GridModel *>(index.model());
    return model ? model->documentRow(index.row()) : index.row() + 1;
}

}  // namespace vaziduvu
