#include "app/duplicates_panel.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace vaziduvu {

namespace {

// Past this many groups the list stops: the summary still counts them all.
constexpr int kShownLimit = 2000;
constexpr int kRowRole = Qt::UserRole;

}  // namespace

DuplicatesPanel::DuplicatesPanel(QWidget *parent)
    : QDockWidget(QStringLiteral("Find Duplicates"), parent)
{
    setObjectName("duplicatesPanel");
    setAllowedAreas(Qt::BottomDockWidgetArea | Qt::RightDockWidgetArea | Qt::LeftDockWidgetArea);
    auto *body = new QWidget(this);
    auto *layout = new QVBoxLayout(body);
    layout->setContentsMargins(4, 4, 4, 4);
    auto *controls = new QHBoxLayout;
    auto *windowLabel = new QLabel(QStringLiteral("Same call, band and mode &within"), body);
    window_ = new QSpinBox(body);
    window_->setObjectName("duplicateWindow");
    window_->setRange(0, 1440);
    window_->setValue(kDefaultWindow);
    window_->setSuffix(QStringLiteral(" min"));
    window_->setToolTip(QStringLiteral("0: the same clock minute"));
    windowLabel->setBuddy(window_);
    auto *find = new QPushButton(QStringLiteral("&Find Again"), body);
    find->setObjectName("findDuplicatesAgain");
    delete_ = new QPushButton(QStringLiteral("&Delete Duplicates"), body);
    delete_->setObjectName("deleteDuplicatesButton");
    delete_->setToolTip(
        QStringLiteral("Keep the fullest contact of each group and delete the others"));
    merge_ = new QPushButton(QStringLiteral("&Merge..."), body);
    merge_->setObjectName("mergeDuplicatesButton");
    merge_->setToolTip(QStringLiteral("Unite the chosen group into one contact"));
    controls->addWidget(windowLabel);
    controls->addWidget(window_);
    controls->addWidget(find);
    controls->addStretch(1);
    controls->addWidget(merge_);
    controls->addWidget(delete_);
    summary_ = new QLabel(body);
    summary_->setObjectName("duplicatesSummary");
    list_ = new QTreeWidget(body);
    list_->setObjectName("duplicateGroupList");
    list_->setColumnCount(1);
    list_->header()->hide();
    list_->setUniformRowHeights(true);
    list_->setToolTip(QStringLiteral("Double-click a contact to go to its row"));
    layout->addLayout(controls);
    layout->addWidget(summary_);
    layout->addWidget(list_);
    setWidget(body);

    connect(find, &QPushButton::clicked, this, &DuplicatesPanel::refreshRequested);
    connect(window_, &QSpinBox::valueChanged, this, &DuplicatesPanel::windowChanged);
    connect(window_, &QSpinBox::valueChanged, this, &DuplicatesPanel::refreshRequested);
    connect(delete_, &QPushButton::clicked, this, &DuplicatesPanel::deleteRequested);
    connect(merge_, &QPushButton::clicked, this, [this] {
        if (currentGroup() >= 0)
            emit mergeRequested(currentGroup());
    });
    connect(list_, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem *item) {
        const QVariant row = item->data(0, kRowRole);
        if (row.isValid())
            emit rowChosen(row.toInt());
    });
    connect(list_, &QTreeWidget::currentItemChanged, this,
            [this] { merge_->setEnabled(currentGroup() >= 0); });
}

void DuplicatesPanel::setGroups(const std::vector<Group> &groups, int contacts)
{
    const int kept = currentGroup();
    list_->setUpdatesEnabled(false);
    list_->clear();
    int duplicates = 0;
    for (const Group &group : groups)
        duplicates += static_cast<int>(group.rows.size()) - 1;
    const int shown = std::min(static_cast<int>(groups.size()), kShownLimit);
    for (int i = 0; i < shown; ++i) {
        auto *top = new QTreeWidgetItem(list_, {groups[static_cast<size_t>(i)].title});
        for (const auto &[row, text] : groups[static_cast<size_t>(i)].rows) {
            auto *line = new QTreeWidgetItem(top, {text});
            line->setData(0, kRowRole, row);
        }
        top->setExpanded(true);
    }
    list_->setUpdatesEnabled(true);
    const QLocale locale;
    summary_->setText(
        duplicates == 0
            ? QStringLiteral("No duplicates among %1 contacts.").arg(locale.toString(contacts))
            : QStringLiteral("%1 contacts duplicate an earlier one, in %2 groups "
                             "(of %3 contacts).")
                  .arg(locale.toString(duplicates),
                       locale.toString(static_cast<int>(groups.size())),
                       locale.toString(contacts)));
    delete_->setEnabled(duplicates > 0);
    setCurrentGroup(std::min(std::max(0, kept), shown - 1));
    merge_->setEnabled(currentGroup() >= 0);
}

void DuplicatesPanel::showNoLog()
{
    list_->clear();
    summary_->setText(QStringLiteral("No log is open."));
    delete_->setEnabled(false);
    merge_->setEnabled(false);
}

int DuplicatesPanel::window() const
{
    return window_->value();
}

void DuplicatesPanel::setWindow(int minutes)
{
    window_->setValue(minutes);
}

int DuplicatesPanel::groupCount() const
{
    return list_->topLevelItemCount();
}

QString DuplicatesPanel::summary() const
{
    return summary_->text();
}

int DuplicatesPanel::currentGroup() const
{
    QTreeWidgetItem *item = list_->currentItem();
    if (item == nullptr)
        return -1;
    if (item->parent() != nullptr)
        item = item->parent();
    return list_->indexOfTopLevelItem(item);
}

void DuplicatesPanel::setCurrentGroup(int group)
{
    if (group >= 0 && group < list_->topLevelItemCount())
        list_->setCurrentItem(list_->topLevelItem(group));
}

}  // namespace vaziduvu
