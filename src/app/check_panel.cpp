#include "app/check_panel.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace vaziduvu {

namespace {

// Past this many lines the list stops: the summary still counts them all.
constexpr int kShownLimit = 5000;

enum Column { RowColumn, FieldColumn, ValueColumn, FixColumn, MessageColumn, ColumnCount };

// The messages are written for a message box: one line here.
QString oneLine(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text.simplified();
}

}  // namespace

CheckPanel::CheckPanel(QWidget *parent)
    : QDockWidget(QStringLiteral("Check Log"), parent)
{
    setObjectName("checkPanel");
    setAllowedAreas(Qt::BottomDockWidgetArea | Qt::RightDockWidgetArea | Qt::LeftDockWidgetArea);
    auto *body = new QWidget(this);
    auto *layout = new QVBoxLayout(body);
    layout->setContentsMargins(4, 4, 4, 4);
    summary_ = new QLabel(body);
    summary_->setObjectName("checkSummary");
    summary_->setMinimumWidth(0);
    summary_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    hint_ = new QLabel(body);
    hint_->setObjectName("checkHint");
    hint_->setWordWrap(true);
    hint_->hide();
    fixReport_ = new QLabel(body);
    fixReport_->setObjectName("checkFixReport");
    fixReport_->setWordWrap(true);
    fixReport_->hide();

    fixAction_ = new QAction(QStringLiteral("&Fix"), this);
    fixAction_->setObjectName("fixAction");
    fixAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Period));
    fixAction_->setToolTip(QStringLiteral("Make the fix of the chosen problem (Ctrl+.)"));
    fixAllAction_ = new QAction(QStringLiteral("Fix &All Like This"), this);
    fixAllAction_->setObjectName("fixAllAction");
    fixAllAction_->setToolTip(
        QStringLiteral("Make the same kind of fix on every problem of its kind, as one step"));
    addAction(fixAction_);
    addAction(fixAllAction_);
    connect(fixAction_, &QAction::triggered, this, [this] {
        if (currentLine() >= 0)
            emit fixRequested(currentLine());
    });
    connect(fixAllAction_, &QAction::triggered, this, [this] {
        if (currentLine() >= 0)
            emit fixAllRequested(currentLine());
    });
    fixButton_ = new QPushButton(QStringLiteral("Fix"), body);
    fixButton_->setObjectName("fixButton");
    fixButton_->setToolTip(fixAction_->toolTip());
    fixAllButton_ = new QPushButton(QStringLiteral("Fix All Like This"), body);
    fixAllButton_->setObjectName("fixAllButton");
    fixAllButton_->setToolTip(fixAllAction_->toolTip());
    connect(fixButton_, &QPushButton::clicked, fixAction_, &QAction::trigger);
    connect(fixAllButton_, &QPushButton::clicked, fixAllAction_, &QAction::trigger);

    list_ = new QTableWidget(0, ColumnCount, body);
    list_->setObjectName("checkProblemList");
    list_->setHorizontalHeaderLabels({QStringLiteral("Row"), QStringLiteral("Field"),
                                      QStringLiteral("Value"), QStringLiteral("Fix"),
                                      QStringLiteral("Problem")});
    list_->verticalHeader()->hide();
    list_->verticalHeader()->setDefaultSectionSize(list_->fontMetrics().height() + 6);
    list_->horizontalHeader()->setStretchLastSection(true);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setWordWrap(false);
    list_->setToolTip(QStringLiteral("Double-click a problem to go to its cell"));
    list_->setContextMenuPolicy(Qt::ActionsContextMenu);
    list_->addActions({fixAction_, fixAllAction_});

    auto *top = new QHBoxLayout;
    top->addWidget(summary_, 1);
    top->addWidget(fixButton_);
    top->addWidget(fixAllButton_);
    layout->addLayout(top);
    layout->addWidget(fixReport_);
    layout->addWidget(hint_);
    layout->addWidget(list_);
    setWidget(body);
    connect(list_, &QTableWidget::cellDoubleClicked, this,
            [this](int line, int) { chooseLine(line); });
    connect(list_, &QTableWidget::cellActivated, this, [this](int line, int) { chooseLine(line); });
    connect(list_, &QTableWidget::currentCellChanged, this, [this] { updateFixCommands(); });
    updateFixCommands();
}

void CheckPanel::setProblems(const std::vector<Problem> &problems)
{
    problems_ = problems;
    const int shown = std::min(static_cast<int>(problems.size()), kShownLimit);
    const int keptLine = list_->currentRow();
    list_->setUpdatesEnabled(false);
    list_->clearContents();
    list_->setRowCount(shown);
    for (int line = 0; line < shown; ++line) {
        const Problem &problem = problems[static_cast<size_t>(line)];
        const QString texts[]
            = {problem.row > 0 ? QString::number(problem.row) : QStringLiteral("all"),
               problem.field, problem.value, problem.fix, oneLine(problem.message)};
        for (int column = 0; column < ColumnCount; ++column) {
            auto *item = new QTableWidgetItem(texts[column]);
            if (column == MessageColumn)
                item->setToolTip(texts[column]);
            list_->setItem(line, column, item);
        }
    }
    list_->resizeColumnToContents(0);
    list_->resizeColumnToContents(1);
    list_->resizeColumnToContents(2);
    list_->setColumnWidth(2, std::clamp(list_->columnWidth(2), 60, 160));
    list_->resizeColumnToContents(FixColumn);
    list_->setColumnWidth(FixColumn, std::clamp(list_->columnWidth(FixColumn), 40, 240));
    if (keptLine >= 0 && keptLine < shown)
        list_->setCurrentCell(keptLine, 0);
    list_->setUpdatesEnabled(true);
    updateFixCommands();

    const size_t count = problems.size();
    if (count == 0)
        summary_->setText(QStringLiteral("No problems found: every cell passes the checks."));
    else if (count == 1)
        summary_->setText(QStringLiteral("1 problem found. Double-click it to go to its cell."));
    else if (static_cast<int>(count) > shown)
        summary_->setText(
            QStringLiteral("%1 problems found; the first %2 are listed.").arg(count).arg(shown));
    else
        summary_->setText(
            QStringLiteral("%1 problems found. Double-click one to go to its cell.").arg(count));
}

void CheckPanel::showNoLog()
{
    setProblems({});
    summary_->setText(QStringLiteral("No log is open."));
}

void CheckPanel::setSummary(const QString &text)
{
    summary_->setText(text);
}

void CheckPanel::setHint(const QString &text)
{
    hint_->setText(text);
    hint_->setVisible(!text.isEmpty());
}

void CheckPanel::setFixReport(const QString &text)
{
    fixReport_->setText(text);
    fixReport_->setVisible(!text.isEmpty());
}

QString CheckPanel::hint() const
{
    return hint_->text();
}

QString CheckPanel::fixReport() const
{
    return fixReport_->text();
}

int CheckPanel::currentLine() const
{
    const int line = list_->currentRow();
    return line >= 0 && line < static_cast<int>(problems_.size()) ? line : -1;
}

void CheckPanel::setCurrentLine(int line)
{
    list_->setCurrentCell(line, 0);
}

void CheckPanel::updateFixCommands()
{
    const int line = currentLine();
    const bool fixable = line >= 0 && !problems_[static_cast<size_t>(line)].fix.isEmpty();
    for (QAction *command : {fixAction_, fixAllAction_})
        command->setEnabled(fixable);
    fixButton_->setEnabled(fixable);
    fixAllButton_->setEnabled(fixable);
}

int CheckPanel::problemCount() const
{
    return static_cast<int>(problems_.size());
}

QStringList CheckPanel::lineTexts(int line) const
{
    QStringList texts;
    if (line < 0 || line >= list_->rowCount())
        return texts;
    for (int column = 0; column < ColumnCount; ++column)
        texts << list_->item(line, column)->text();
    return texts;
}

QString CheckPanel::summary() const
{
    return summary_->text();
}

void CheckPanel::chooseLine(int line)
{
    if (line < 0 || line >= static_cast<int>(problems_.size()))
        return;
    const Problem &problem = problems_[static_cast<size_t>(line)];
    emit cellChosen(problem.column, problem.row > 0 ? problem.row : 1);
}

std::vector<int> CheckPanel::problemRows() const
{
    std::vector<int> rows;
    for (const Problem &problem : problems_) {
        if (problem.row > 0)
            rows.push_back(problem.row);
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

}  // namespace vaziduvu
