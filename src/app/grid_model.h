#pragma once

#include <QAbstractTableModel>

#include <functional>
#include <optional>
#include <vector>

namespace vaziduvu {

class LogDocument;

// Shows the open log to the grid view. Grid row 0 (field names) and grid
// column 0 (record numbers) are the view's fixed headers; model cell (i, j)
// is grid cell (j + 1, i + 1). The document owns every text and record; this
// model only adapts it.
class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit GridModel(LogDocument &document, QObject *parent = nullptr);

    // Called for every text the user commits in the grid; returns the text the
    // cell shall keep (the window truncates over-long texts and warns).
    // Decides what an edit stores: the text to keep, or nullopt to refuse the
    // edit and leave the cell as it was.
    using EditFilter
        = std::function<std::optional<std::string>(int column, int row, const QString &text)>;
    void setEditFilter(EditFilter filter) { editFilter_ = std::move(filter); }
    // Stores an accepted edit; without one the model sets the document's
    // text itself. The window records the edit for undo here.
    using CellWriter = std::function<void(int column, int row, std::string text)>;
    void setCellWriter(CellWriter writer) { cellWriter_ = std::move(writer); }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // The document changed shape or content behind the model's back.
    void reload();

    // The grid rows the view shows, in its order (a sort, a filter); nullopt
    // shows every data row in file order. The document never moves: view
    // row i is grid row documentRow(i), and its heading is that row's record
    // number.
    void setShownRows(std::optional<std::vector<int>> rows);
    bool showsAllRows() const { return !shown_; }
    int documentRow(int viewRow) const
    {
        return shown_ ? (*shown_)[static_cast<size_t>(viewRow)] : viewRow + 1;
    }
    // The view row of a grid row; -1 when the row is not shown.
    int viewRow(int documentRow) const;
    // The grid row of an index of any GridModel (the delegate's way in).
    static int documentRowOf(const QModelIndex &index);

private:
    LogDocument &document_;
    EditFilter editFilter_;
    CellWriter cellWriter_;
    int shownColumns_ = 0;
    int shownRows_ = 0;
    std::optional<std::vector<int>> shown_;
    std::vector<int> viewRows_;  // by grid row: its view row, -1 hidden (with shown_)
};

}  // namespace vaziduvu
