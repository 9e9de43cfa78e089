#pragma once

#include <QAbstractTableModel>

#include <functional>
#include <optional>

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

private:
    LogDocument &document_;
    EditFilter editFilter_;
    CellWriter cellWriter_;
    int shownColumns_ = 0;
    int shownRows_ = 0;
};

}  // namespace vaziduvu
