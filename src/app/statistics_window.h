#pragma once

#include "adif/adif_mode.h"
#include "document/log_statistics.h"

#include <QWidget>

#include <string>
#include <vector>

class QAbstractButton;
class QChartView;
class QLabel;
class QSortFilterProxyModel;
class QStandardItemModel;
class QTabWidget;
class QTableView;

namespace vaziduvu {

// The Statistics window: the log's figures (LogStatistics) at a glance.
// Totals on top; tabs with contacts per band stacked by mode, contacts per
// year, and a sortable table of the DXCC entities worked and confirmed per
// band. Double-clicking a bar or a table cell asks for the contacts it
// counts (contactsChosen); "Save Chart" asks for the shown chart to be saved
// (saveChartRequested). The window only shows: the main window computes the
// figures, finds the contacts and writes the files.
class StatisticsWindow : public QWidget {
    Q_OBJECT
public:
    // A window of its own beside the main window (parent).
    explicit StatisticsWindow(QWidget *parent);

    void setStatistics(const LogStatistics &figures, TextEncoding encoding);
    void showNoLog();
    // A line under the charts: what a double-click selected.
    void setNote(const QString &text);

    // What the user sees, for tests: the totals line, the bands and modes of
    // the band chart, the years of the year chart, the table as sorted.
    QString totalsText() const;
    QStringList bandCategories() const;
    QStringList modeSets() const;
    QStringList yearCategories() const;
    QStringList entityRowTexts(int row) const;
    int entityRows() const;
    void sortEntities(int column, Qt::SortOrder order);

    // What a double-click does: on the band chart's bar of a band and mode
    // set, on a year's bar, on a cell of the entity table as sorted.
    void chooseBandBar(int band, int modeSet);
    void chooseYearBar(int year);
    void chooseEntityCell(int row, int column);

    // The chart shown (bands, or years on that tab) as PNG or SVG bytes;
    // empty while the entity table is shown.
    QByteArray chartImage(bool svg) const;
    // The tab shown: 0 bands, 1 years, 2 the entity table.
    int shownTab() const;
    void showTab(int tab);
    bool chartShown() const;

signals:
    void contactsChosen(const ContactSelection &selection, const QString &description);
    void saveChartRequested();
    void tabChosen(int tab);

private:
    void fillBandChart(const LogStatistics &figures);
    void fillYearChart(const LogStatistics &figures);
    void fillEntityTable(const LogStatistics &figures);
    QString shownKey(const std::string &key) const;
    void updateSaveButton();

    QLabel *totals_ = nullptr;
    QTabWidget *tabs_ = nullptr;
    QChartView *bandChart_ = nullptr;
    QChartView *yearChart_ = nullptr;
    QTableView *entityTable_ = nullptr;
    QStandardItemModel *entityModel_ = nullptr;
    QSortFilterProxyModel *entitySorter_ = nullptr;
    QLabel *note_ = nullptr;
    QAbstractButton *saveChartButton_ = nullptr;

    // What the bars and cells stand for, to ask for their contacts.
    TextEncoding encoding_ = TextEncoding::Latin1;
    bool hasContacts_ = false;
    std::vector<std::string> bands_;
    std::vector<std::vector<std::string>> setModes_;  // the modes of each band-chart set
    std::vector<std::string> years_;
    std::vector<int64_t> entityCodes_;  // by model row
};

}  // namespace vaziduvu
