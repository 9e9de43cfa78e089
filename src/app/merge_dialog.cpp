#include "app/merge_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace vaziduvu {

namespace {

bool differs(const MergeDialog::Field &field)
{
    QString first;
    for (const QString &value : field.values) {
        if (value.trimmed().isEmpty())
            continue;
        if (first.isNull())
            first = value;
        else if (value != first)
            return true;
    }
    return false;
}

}  // namespace

MergeDialog::MergeDialog(const QStringList &contacts, std::vector<Field> fields, QWidget *parent)
    : QDialog(parent)
    , fields_(std::move(fields))
{
    setObjectName("mergeDialog");
    setWindowTitle(QStringLiteral("Merge Duplicates"));
    auto *layout = new QVBoxLayout(this);
    auto *note = new QLabel(
        QStringLiteral("Pick the value to keep where the contacts differ (marked rows). A "
                       "received confirmation is picked at first. The merged contact takes the "
                       "place of the first one; the others are deleted. Undo (Ctrl+Z) brings "
                       "them back."),
        this);
    note->setWordWrap(true);
    layout->addWidget(note);
    table_ = new QTableWidget(static_cast<int>(fields_.size()), contacts.size(), this);
    table_->setObjectName("mergeTable");
    table_->setHorizontalHeaderLabels(contacts);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionMode(QAbstractItemView::NoSelection);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    table_->setWordWrap(false);
    QStringList names;
    for (int row = 0; row < static_cast<int>(fields_.size()); ++row) {
        const Field &field = fields_[static_cast<size_t>(row)];
        const bool offered = differs(field);
        names << (offered ? QStringLiteral("* ") : QString()) + field.name;
        for (int contact = 0; contact < contacts.size(); ++contact) {
            const QString value = static_cast<size_t>(contact) < field.values.size()
                ? field.values[static_cast<size_t>(contact)]
                : QString();
            auto *item = new QTableWidgetItem(value);
            item->setToolTip(value);
            Qt::ItemFlags flags = Qt::ItemIsEnabled;
            if (offered && !value.trimmed().isEmpty()) {
                flags |= Qt::ItemIsUserCheckable;
                item->setCheckState(contact == field.chosen ? Qt::Checked : Qt::Unchecked);
            } else if (contact != field.chosen) {
                item->setForeground(palette().color(QPalette::Disabled, QPalette::Text));
            }
            item->setFlags(flags);
            table_->setItem(row, contact, item);
        }
    }
    table_->setVerticalHeaderLabels(names);
    table_->resizeColumnsToContents();
    for (int contact = 0; contact < contacts.size(); ++contact)
        table_->setColumnWidth(contact, std::clamp(table_->columnWidth(contact), 120, 260));
    layout->addWidget(table_, 1);
    connect(table_, &QTableWidget::itemChanged, this, &MergeDialog::itemChanged);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("okButton");
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Merge"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("cancelButton");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    const int wanted
        = table_->verticalHeader()->width() + 40 + contacts.size() * table_->columnWidth(0);
    resize(std::clamp(wanted, 480, 1000),
           std::clamp(table_->rowCount() * table_->verticalHeader()->defaultSectionSize() + 160,
                      300, 700));
}

int MergeDialog::chosen(int field) const
{
    return field >= 0 && static_cast<size_t>(field) < fields_.size()
        ? fields_[static_cast<size_t>(field)].chosen
        : -1;
}

void MergeDialog::choose(int field, int contact)
{
    QTableWidgetItem *item = table_->item(field, contact);
    if (item != nullptr && (item->flags() & Qt::ItemIsUserCheckable))
        item->setCheckState(Qt::Checked);
}

void MergeDialog::itemChanged(QTableWidgetItem *item)
{
    if (updating_ || !(item->flags() & Qt::ItemIsUserCheckable))
        return;
    updating_ = true;
    const int row = item->row();
    Field &field = fields_[static_cast<size_t>(row)];
    if (item->checkState() == Qt::Checked)
        field.chosen = item->column();
    // One value per field: the mark moves, it is never taken away.
    for (int contact = 0; contact < table_->columnCount(); ++contact) {
        QTableWidgetItem *other = table_->item(row, contact);
        if (other != nullptr && (other->flags() & Qt::ItemIsUserCheckable))
            other->setCheckState(contact == field.chosen ? Qt::Checked : Qt::Unchecked);
    }
    updating_ = false;
}

}  // namespace vaziduvu
