#include "app/statistics_window.h"
#include "adif/current_vocabulary.h"
#include "app/qt_text.h"

#include <QAction>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QCursor>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QStackedBarSeries>
#include <QStandardItemModel>
#include <QSvgGenerator>
#include <QTabWidget>
#include <QTableView>
#include <QToolTip>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <numeric>

namespace vaziduvu {

namespace {

// Past this many modes the band chart keeps the most used ones and groups
// the rest as "Other", so its legend stays readable.
constexpr int kModeSets = 10;
// Past this many categories their labels stand upright.
constexpr int kFlatLabels = 14;
constexpr int kEntityColumns = 4;  // code, name, contacts, confirmed; then the bands
constexpr int kSortRole = Qt::UserRole;

const QString kHint
    = QStringLiteral("Double-click a bar or a table cell to select its contacts in the grid.");
const QColor kConfirmedColor(198, 239, 206);
const QColor kWorkedColor(255, 235, 156);

QString shownDate(const std::string &date)
{
    if (date.size() != 8)
        return QStringLiteral("-");
    return QString::fromLatin1(date.substr(0, 4) + "-" + date.substr(4, 2) + "-" + date.substr(6));
}

// The step between ticks of a count axis: 1, 2 or 5 times a power of ten,
// with at most eight steps up to the largest count.
int64_t tickStep(int64_t largest)
{
    for (int64_t scale = 1;; scale *= 10) {
        for (const int64_t nice : {1, 2, 5}) {
            if (largest / (nice * scale) <= 8)
                return nice * scale;
        }
    }
}

// A count axis with whole-number ticks.
QValueAxis *countAxis(int largest)
{
    const int64_t step = tickStep(largest);
    const int64_t top = std::max(step, (largest + step - 1) / step * step);
    auto *axis = new QValueAxis;
    axis->setRange(0, static_cast<qreal>(top));
    axis->setTickCount(static_cast<int>(top / step) + 1);
    axis->setLabelFormat(QStringLiteral("%d"));
    return axis;
}

QBarCategoryAxis *categoryAxis(const QStringList &categories)
{
    auto *axis = new QBarCategoryAxis;
    axis->append(categories);
    if (categories.size() > kFlatLabels)
        axis->setLabelsAngle(-90);
    return axis;
}

QChart *newChart(const QString &title)
{
    auto *chart = new QChart;
    chart->setTitle(title);
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setMargins(QMargins(4, 4, 4, 4));
    return chart;
}

// Puts the chart in the view; the view does not delete the chart it showed.
void showChart(QChartView *view, QChart *chart)
{
    QChart *old = view->chart();
    view->setChart(chart);
    delete old;
}

QStandardItem *entityItem(const QString &text, const QVariant &sortKey)
{
    auto *item = new QStandardItem(text);
    item->setData(sortKey, kSortRole);
    item->setEditable(false);
    return item;
}

}  // namespace

StatisticsWindow::StatisticsWindow(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName("statisticsWindow");
    setWindowTitle(QStringLiteral("Statistics"));
    resize(860, 620);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);

    totals_ = new QLabel(this);
    totals_->setObjectName("statisticsTotals");
    totals_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont larger = totals_->font();
    larger.setPixelSize(13);
    totals_->setFont(larger);
    layout->addWidget(totals_);

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName("statisticsTabs");
    bandChart_ = new QChartView(newChart(QString()), tabs_);
    bandChart_->setObjectName("bandChart");
    yearChart_ = new QChartView(newChart(QString()), tabs_);
    yearChart_->setObjectName("yearChart");
    for (QChartView *view : {bandChart_, yearChart_})
        view->setRenderHint(QPainter::Antialiasing);

    entityModel_ = new QStandardItemModel(this);
    entitySorter_ = new QSortFilterProxyModel(this);
    entitySorter_->setSourceModel(entityModel_);
    entitySorter_->setSortRole(kSortRole);
    entityTable_ = new QTableView(tabs_);
    entityTable_->setObjectName("entityTable");
    entityTable_->setModel(entitySorter_);
    entityTable_->setSortingEnabled(true);
    entityTable_->sortByColumn(0, Qt::AscendingOrder);
    entityTable_->setSelectionBehavior(QAbstractItemView::SelectItems);
    entityTable_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    entityTable_->verticalHeader()->hide();
    entityTable_->verticalHeader()->setDefaultSectionSize(entityTable_->fontMetrics().height() + 6);
    entityTable_->setToolTip(
        QStringLiteral("C: confirmed on the band, W: worked; under each band, the entities "
                       "worked/confirmed there. Click a heading to sort."));
    connect(entityTable_, &QTableView::doubleClicked, this,
            [this](const QModelIndex &index) { chooseEntityCell(index.row(), index.column()); });

    tabs_->addTab(bandChart_, QStringLiteral("&Bands"));
    tabs_->addTab(yearChart_, QStringLiteral("&Years"));
    tabs_->addTab(entityTable_, QStringLiteral("&DXCC"));
    layout->addWidget(tabs_, 1);

    auto *bottom = new QHBoxLayout;
    note_ = new QLabel(kHint, this);
    note_->setObjectName("statisticsNote");
    bottom->addWidget(note_, 1);
    auto *save = new QPushButton(QStringLiteral("&Save Chart..."), this);
    save->setObjectName("saveChartButton");
    save->setToolTip(QStringLiteral("Save the chart shown as a PNG or SVG image"));
    saveChartButton_ = save;
    bottom->addWidget(save);
    auto *close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName("closeStatisticsButton");
    bottom->addWidget(close);
    layout->addLayout(bottom);

    connect(save, &QPushButton::clicked, this, &StatisticsWindow::saveChartRequested);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int tab) {
        updateSaveButton();
        emit tabChosen(tab);
    });
    auto *escape = new QAction(this);
    escape->setShortcut(QKeySequence(Qt::Key_Escape));
    connect(escape, &QAction::triggered, this, &QWidget::close);
    addAction(escape);
    showNoLog();
}

void StatisticsWindow::setStatistics(const LogStatistics &figures, TextEncoding encoding)
{
    encoding_ = encoding;
    hasContacts_ = figures.contacts > 0;
    note_->setText(kHint);  // an earlier selection may be gone
    totals_->setText(
        QStringLiteral("<b>%1</b> contacts &nbsp; <b>%2</b> unique calls &nbsp; from <b>%3</b> "
                       "to <b>%4</b> &nbsp; DXCC entities: <b>%5</b> worked, <b>%6</b> confirmed")
            .arg(figures.contacts)
            .arg(figures.uniqueCalls)
            .arg(shownDate(figures.firstDate), shownDate(figures.lastDate))
            .arg(figures.entitiesWorked())
            .arg(figures.entitiesConfirmed));
    fillBandChart(figures);
    fillYearChart(figures);
    fillEntityTable(figures);
    updateSaveButton();
}

void StatisticsWindow::showNoLog()
{
    setStatistics(LogStatistics(), TextEncoding::Latin1);
    totals_->setText(QStringLiteral("No log is open."));
}

void StatisticsWindow::setNote(const QString &text)
{
    note_->setText(text);
}

QString StatisticsWindow::shownKey(const std::string &key) const
{
    return key.empty() ? QStringLiteral("(none)") : toQt(key, encoding_);
}

void StatisticsWindow::fillBandChart(const LogStatistics &figures)
{
    bands_ = figures.bands;
    setModes_.clear();
    // The most used modes first; past kModeSets the rest go together.
    std::vector<size_t> modes(figures.modes.size());
    std::iota(modes.begin(), modes.end(), size_t{0});
    std::stable_sort(modes.begin(), modes.end(), [&figures](size_t a, size_t b) {
        return figures.modeContacts[a] > figures.modeContacts[b];
    });
    const size_t kept = modes.size() > kModeSets ? kModeSets - 1 : modes.size();

    QChart *chart = newChart(QStringLiteral("Contacts per band, by mode"));
    auto *series = new QStackedBarSeries;
    for (size_t set = 0; set < kept + (kept < modes.size() ? 1 : 0); ++set) {
        const bool other = set == kept;
        std::vector<size_t> members(modes.begin() + static_cast<std::ptrdiff_t>(set),
                                    other ? modes.end()
                                          : modes.begin() + static_cast<std::ptrdiff_t>(set + 1));
        auto *bars = new QBarSet(other ? QStringLiteral("Other")
                                       : shownKey(figures.modes[members.front()]));
        std::vector<std::string> names;
        for (size_t mode : members)
            names.push_back(figures.modes[mode]);
        for (size_t band = 0; band < figures.bands.size(); ++band) {
            int n = 0;
            for (size_t mode : members)
                n += figures.contactsOf(band, mode);
            *bars << n;
        }
        setModes_.push_back(std::move(names));
        series->append(bars);
    }
    connect(series, &QAbstractBarSeries::doubleClicked, this,
            [this, series](int index, QBarSet *set) {
                chooseBandBar(index, static_cast<int>(series->barSets().indexOf(set)));
            });
    connect(series, &QAbstractBarSeries::hovered, this, [](bool on, int index, QBarSet *set) {
        if (on)
            QToolTip::showText(QCursor::pos(),
                               QStringLiteral("%1: %2 contacts, double-click "
                                              "to select them")
                                   .arg(set->label())
                                   .arg(set->at(index)));
    });
    chart->addSeries(series);
    QStringList categories;
    for (const std::string &band : figures.bands)
        categories << shownKey(band);
    QBarCategoryAxis *x = categoryAxis(categories);
    chart->addAxis(x, Qt::AlignBottom);
    series->attachAxis(x);
    const int largest = figures.bandContacts.empty()
        ? 0
        : *std::max_element(figures.bandContacts.begin(), figures.bandContacts.end());
    QValueAxis *y = countAxis(largest);
    chart->addAxis(y, Qt::AlignLeft);
    series->attachAxis(y);
    chart->legend()->setAlignment(Qt::AlignRight);
    chart->legend()->setVisible(!figures.modes.empty());
    showChart(bandChart_, chart);
}

void StatisticsWindow::fillYearChart(const LogStatistics &figures)
{
    years_.clear();
    QChart *chart = newChart(QStringLiteral("Contacts per year"));
    auto *series = new QBarSeries;
    auto *bars = new QBarSet(QStringLiteral("Contacts"));
    QStringList categories;
    int largest = 0;
    for (const LogStatistics::YearCount &year : figures.years) {
        years_.push_back(year.year);
        categories << shownKey(year.year);
        *bars << year.contacts;
        largest = std::max(largest, year.contacts);
    }
    series->append(bars);
    series->setBarWidth(0.7);
    connect(series, &QAbstractBarSeries::doubleClicked, this,
            [this](int index, QBarSet *) { chooseYearBar(index); });
    connect(series, &QAbstractBarSeries::hovered, this, [this](bool on, int index, QBarSet *set) {
        if (on && index >= 0 && static_cast<size_t>(index) < years_.size())
            QToolTip::showText(
                QCursor::pos(),
                QStringLiteral("%1: %2 contacts").arg(shownKey(years_[index])).arg(set->at(index)));
    });
    chart->addSeries(series);
    QBarCategoryAxis *x = categoryAxis(categories);
    chart->addAxis(x, Qt::AlignBottom);
    series->attachAxis(x);
    QValueAxis *y = countAxis(largest);
    chart->addAxis(y, Qt::AlignLeft);
    series->attachAxis(y);
    chart->legend()->hide();
    showChart(yearChart_, chart);
}

void StatisticsWindow::fillEntityTable(const LogStatistics &figures)
{
    entityModel_->clear();
    entityCodes_.clear();
    QStringList headings{QStringLiteral("DXCC"), QStringLiteral("Entity"),
                         QStringLiteral("Contacts"), QStringLiteral("Confirmed")};
    for (size_t band = 0; band < figures.bands.size(); ++band)
        headings << QStringLiteral("%1\n%2/%3")
                        .arg(shownKey(figures.bands[band]))
                        .arg(figures.bandEntitiesWorked[band])
                        .arg(figures.bandEntitiesConfirmed[band]);
    entityModel_->setHorizontalHeaderLabels(headings);
    for (size_t band = 0; band < figures.bands.size(); ++band)
        entityModel_->setHeaderData(kEntityColumns + static_cast<int>(band), Qt::Horizontal,
                                    QStringLiteral("%1: %2 entities worked, %3 confirmed")
                                        .arg(shownKey(figures.bands[band]))
                                        .arg(figures.bandEntitiesWorked[band])
                                        .arg(figures.bandEntitiesConfirmed[band]),
                                    Qt::ToolTipRole);
    for (const LogStatistics::Entity &entity : figures.entities) {
        const int code = entity.code <= kMaxDxccEntityCode ? static_cast<int>(entity.code) : -1;
        const char *name = code >= 0 ? dxccEntityName(code) : nullptr;
        QList<QStandardItem *> row;
        row << entityItem(QString::number(entity.code),
                          QVariant(static_cast<qlonglong>(entity.code)))
            << entityItem(name ? QString::fromLatin1(name) : QStringLiteral("(not an ADIF entity)"),
                          name ? QString::fromLatin1(name) : QString())
            << entityItem(QString::number(entity.contacts), entity.contacts)
            << entityItem(entity.confirmed ? QStringLiteral("Yes") : QString(),
                          entity.confirmed ? 1 : 0);
        for (const LogStatistics::EntityBand &band : entity.bands) {
            const int rank = band.confirmed ? 2 : band.contacts > 0 ? 1 : 0;
            QStandardItem *cell = entityItem(rank == 2       ? QStringLiteral("C")
                                                 : rank == 1 ? QStringLiteral("W")
                                                             : QString(),
                                             rank * 1000000 + band.contacts);
            cell->setTextAlignment(Qt::AlignCenter);
            if (rank > 0) {
                cell->setBackground(rank == 2 ? kConfirmedColor : kWorkedColor);
                cell->setToolTip(
                    QStringLiteral("%1 contacts%2")
                        .arg(band.contacts)
                        .arg(band.confirmed ? QStringLiteral(", confirmed") : QString()));
            }
            row << cell;
        }
        entityModel_->appendRow(row);
        entityCodes_.push_back(entity.code);
    }
    entityTable_->resizeColumnsToContents();
    entityTable_->setColumnWidth(1, std::min(entityTable_->columnWidth(1), 260));
}

void StatisticsWindow::updateSaveButton()
{
    saveChartButton_->setEnabled(chartShown() && hasContacts_);
}

int StatisticsWindow::shownTab() const
{
    return tabs_->currentIndex();
}

void StatisticsWindow::showTab(int tab)
{
    if (tab >= 0 && tab < tabs_->count())
        tabs_->setCurrentIndex(tab);
}

bool StatisticsWindow::chartShown() const
{
    return tabs_->currentWidget() == bandChart_ || tabs_->currentWidget() == yearChart_;
}

QString StatisticsWindow::totalsText() const
{
    return totals_->text();
}

QStringList StatisticsWindow::bandCategories() const
{
    const auto axes = bandChart_->chart()->axes(Qt::Horizontal);
    auto *axis = axes.isEmpty() ? nullptr : qobject_cast<QBarCategoryAxis *>(axes.first());
    return axis ? axis->categories() : QStringList();
}

QStringList StatisticsWindow::modeSets() const
{
    QStringList labels;
    for (QAbstractSeries *series : bandChart_->chart()->series()) {
        for (QBarSet *set : static_cast<QAbstractBarSeries *>(series)->barSets())
            labels << set->label();
    }
    return labels;
}

QStringList StatisticsWindow::yearCategories() const
{
    const auto axes = yearChart_->chart()->axes(Qt::Horizontal);
    auto *axis = axes.isEmpty() ? nullptr : qobject_cast<QBarCategoryAxis *>(axes.first());
    return axis ? axis->categories() : QStringList();
}

int StatisticsWindow::entityRows() const
{
    return entitySorter_->rowCount();
}

QStringList StatisticsWindow::entityRowTexts(int row) const
{
    QStringList texts;
    for (int column = 0; column < entitySorter_->columnCount(); ++column)
        texts << entitySorter_->index(row, column).data().toString();
    return texts;
}

void StatisticsWindow::sortEntities(int column, Qt::SortOrder order)
{
    entityTable_->sortByColumn(column, order);
}

void StatisticsWindow::chooseBandBar(int band, int modeSet)
{
    if (band < 0 || static_cast<size_t>(band) >= bands_.size() || modeSet < 0
        || static_cast<size_t>(modeSet) >= setModes_.size())
        return;
    ContactSelection selection;
    selection.band = bands_[static_cast<size_t>(band)];
    selection.modes = setModes_[static_cast<size_t>(modeSet)];
    const bool other = selection.modes.size() > 1;
    emit contactsChosen(selection,
                        QStringLiteral("%1, %2").arg(shownKey(*selection.band),
                                                     other ? QStringLiteral("other modes")
                                                           : shownKey(selection.modes.front())));
}

void StatisticsWindow::chooseYearBar(int year)
{
    if (year < 0 || static_cast<size_t>(year) >= years_.size())
        return;
    ContactSelection selection;
    selection.year = years_[static_cast<size_t>(year)];
    emit contactsChosen(selection, QStringLiteral("year %1").arg(shownKey(*selection.year)));
}

void StatisticsWindow::chooseEntityCell(int row, int column)
{
    const QModelIndex shown = entitySorter_->index(row, column);
    if (!shown.isValid())
        return;
    const int source = entitySorter_->mapToSource(shown).row();
    ContactSelection selection;
    selection.dxcc = entityCodes_[static_cast<size_t>(source)];
    QString description
        = QStringLiteral("DXCC %1 %2")
              .arg(entityModel_->item(source, 0)->text(), entityModel_->item(source, 1)->text());
    if (column >= kEntityColumns) {
        selection.band = bands_[static_cast<size_t>(column - kEntityColumns)];
        description += QStringLiteral(" on %1").arg(shownKey(*selection.band));
    }
    emit contactsChosen(selection, description);
}

QByteArray StatisticsWindow::chartImage(bool svg) const
{
    QChartView *view = tabs_->currentWidget() == bandChart_ ? bandChart_
        : tabs_->currentWidget() == yearChart_              ? yearChart_
                                                            : nullptr;
    if (view == nullptr)
        return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (svg) {
        QSvgGenerator generator;
        generator.setOutputDevice(&buffer);
        generator.setSize(view->size());
        generator.setViewBox(view->rect());
        generator.setTitle(view->chart()->title());
        QPainter painter(&generator);
        view->render(&painter);
    } else {
        view->grab().save(&buffer, "PNG");
    }
    return bytes;
}

}  // namespace vaziduvu
